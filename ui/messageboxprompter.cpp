#include "messageboxprompter.h"

#include "outcomebox.h"

#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace
{
    QMessageBox::Icon boxIconOf(Prompter::Icon icon)
    {
        switch (icon) {
        case Prompter::Icon::Information: return QMessageBox::Information;
        case Prompter::Icon::Warning: return QMessageBox::Warning;
        case Prompter::Icon::Critical: return QMessageBox::Critical;
        case Prompter::Icon::Question: return QMessageBox::Question;
        }
        return QMessageBox::Information;
    }
}

void MessageBoxPrompter::tell(const Outcome &outcome)
{
    showOutcome(*this, outcome);
}

Prompter::Answer MessageBoxPrompter::show(Icon icon, const QString &title, const QString &text, Buttons buttons)
{
    const QMessageBox::Icon boxIcon = boxIconOf(icon);
    QMessageBox box(boxIcon, title, text,
                    buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    m_parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (buttons == Buttons::YesNo) {
        // Most questions delete something: Enter or Escape keeps it.
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    }
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Prompter::WayIn MessageBoxPrompter::offerWaysIn(Icon icon, const QString &title, const QString &text, const WaysIn &ways)
{
    QMessageBox box(boxIconOf(icon), title, text, QMessageBox::NoButton, m_parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    std::vector<std::pair<QAbstractButton *, WayIn>> offered;
    const auto offer = [&](const QString &name, const QString &caption, WayIn way) {
        QPushButton *button = box.addButton(caption, QMessageBox::AcceptRole);
        button->setObjectName(name);
        offered.emplace_back(button, way);
    };
    if (ways.shippedHistory)
        offer(QStringLiteral("AnadirHistorico"), QStringLiteral("Añadir el histórico de sorteos"), WayIn::ShippedHistory);
    if (ways.byHand) {
        offer(QStringLiteral("PegarResultados"), QStringLiteral("Pegar resultados del navegador…"), WayIn::Paste);
        offer(QStringLiteral("SorteoAMano"), QStringLiteral("Añadir sorteo a mano…"), WayIn::ByHand);
    }
    QPushButton *close = box.addButton(QStringLiteral("Cerrar"), QMessageBox::RejectRole);
    close->setObjectName(QStringLiteral("Cerrar"));
    box.setDefaultButton(offered.empty() ? close : static_cast<QPushButton *>(offered.front().first));
    box.setEscapeButton(close);
    box.exec();
    for (const auto &[button, way] : offered) {
        if (box.clickedButton() == button)
            return way;
    }
    return WayIn::None;
}
