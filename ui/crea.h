#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Session;
class SlipPanel;
class SyndicateCreation;

// "Crear peña nueva...": the key panel, then the number panel of the slip,
// the list of what has been entered and the name. Every click goes to the
// SyndicateCreation; the window shows what it holds. Stays open after a save,
// ready for a further syndicate of the same kind.
class Crea final : public QWidget
{
    Q_OBJECT

public:
    Crea(Session &session, SyndicateCreation &creation, QWidget *parent = nullptr);

    // A name typed, a key or a number marked, and not saved yet.
    bool hasUnsavedInput() const;

signals:
    // After every save, with the record number written.
    void syndicateSaved(int record);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Leaving with something entered asks first; No keeps the window.
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cellClicked(int cell);
    void nameChanged(const QString &text);
    void save();
    void removeLast();
    void randomFill();
    void render();

    Session &m_session;
    SyndicateCreation &m_creation;
    QLineEdit *m_name;
    QLabel *m_betNumber;
    QLabel *m_instruction;
    QListWidget *m_list;
    SlipPanel *m_keys;
    SlipPanel *m_numbers;
    QPushButton *m_save;
    QPushButton *m_remove;
    QPushButton *m_random;
    QPushButton *m_cancel;
    QLabel *m_saved; // what the last "Grabar" stored
};
