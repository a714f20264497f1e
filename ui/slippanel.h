#pragma once

#include <QAbstractButton>
#include <QWidget>

#include <functional>

// One cell of the on-screen slip: a printed number (or key) in a frame,
// with a pen mark across it when chosen.
class SlipCell final : public QAbstractButton
{
public:
    SlipCell(int value, bool keyCell, QWidget *parent);
    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_value;
    bool m_keyCell;
    bool m_marked = false;
};

// A panel of the slip, drawn like the printed form: the 54 number cells
// (number n in column n / 10, row n % 10) or the column of ten key cells.
// Positions follow the printed slip, measured in twips.
class SlipPanel final : public QWidget
{
public:
    enum class Kind
    {
        Numbers,
        Keys
    };
    static constexpr int kTwipsPerPixel = 12;

    // cells are named Image1_<index>: 0..53 numbers 1..54, 54..63 keys 0..9.
    SlipPanel(Kind kind, const std::function<void(int)> &onClick, QWidget *parent = nullptr);
    SlipCell *cell(int index) const; // index as in the names
    static QSize panelSize(Kind kind);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QList<SlipCell *> m_cells;
};
