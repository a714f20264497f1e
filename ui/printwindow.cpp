#include "printwindow.h"
#include "outcomebox.h"

#include "fittoscreen.h"
#include "printerentrypicture.h"

#include "base/filechooser.h"
#include "base/prompter.h"
#include "core/session.h"
#include "print/pdffileprinter.h"
#include "print/printdialog.h"
#include "store/outputfile.h"

#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace
{
    const QString kTitle = QStringLiteral("IMPRIMIR BOLETOS");
    const QColor kGameRed(196, 30, 45);

    QLabel *label(const QString &text, const QString &name, QWidget *parent)
    {
        auto *l = new QLabel(text, parent);
        l->setObjectName(name);
        return l;
    }

    void setBold(QWidget *widget, qreal scale = 1.0)
    {
        QFont font = widget->font();
        font.setBold(true);
        if (scale != 1.0)
            font.setPointSizeF(font.pointSizeF() * scale);
        widget->setFont(font);
    }
}

Imprimir::Imprimir(Session &session, int syndicateRecord, PrintDialog &dialog, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialog(dialog)
    , m_prompter(session.prompter())
    , m_calibration(session.calibrationFile())
{
    setObjectName(QStringLiteral("Imprimir"));
    setWindowTitle(kTitle);
    m_drawDate = session.nextDrawDate();
    m_dataDir = session.dataDir();

    const auto &syndicates = session.syndicates().records();
    if (syndicateRecord >= 1 && syndicateRecord <= int(syndicates.size()))
        m_syndicate = syndicates[std::size_t(syndicateRecord - 1)];
    else if (syndicateRecord >= 1)
        m_syndicate = session.syndicates().file().get(syndicateRecord);
    const SlipLayout::Job job = SlipLayout::jobFor(m_syndicate);

    auto *heading = label(QStringLiteral("IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA:"), QStringLiteral("Label9"), this);
    setBold(heading);
    auto *name = label(m_syndicate.name(), QStringLiteral("Label10"), this);
    setBold(name, 1.3);
    name->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));

    auto *facts = new QGridLayout;
    facts->addWidget(label(QStringLiteral("-Total apuestas:"), QStringLiteral("Label1_0"), this), 0, 0);
    auto *bets = label(m_syndicate.kind > 99 ? QStringLiteral("1") : QString::number(m_syndicate.kind),
                       QStringLiteral("Label2_0"), this);
    setBold(bets);
    facts->addWidget(bets, 0, 1);
    facts->addWidget(label(QStringLiteral("-Nº de boletos oficiales que necesita:"), QStringLiteral("Label1_1"), this), 1, 0);
    auto *slips = label(QString::number(job.slipCount), QStringLiteral("Label2_1"), this);
    setBold(slips);
    facts->addWidget(slips, 1, 1);
    facts->addWidget(label(QStringLiteral("-Si imprime en papel oficial, asegúrese de que sea de:"),
                           QStringLiteral("Label1_2"), this),
                     2, 0);
    facts->setColumnStretch(2, 1);

    // The game's name as the slip shows it.
    auto *game1 = label(QStringLiteral("El Gordo"), QStringLiteral("Label12"), this);
    auto *game2 = label(QStringLiteral("de la Primitiva"), QStringLiteral("Label13"), this);
    for (QLabel *l : {game1, game2}) {
        setBold(l, 1.4);
        l->setStyleSheet(QStringLiteral("color: rgb(196, 30, 45);"));
    }
    auto *onlyOfficial = label(QStringLiteral("Sólo en papel oficial"), QStringLiteral("Label11"), this);
    onlyOfficial->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0); font-style: italic;"));
    auto *gameRow = new QHBoxLayout;
    gameRow->addSpacing(24);
    gameRow->addWidget(game1);
    gameRow->addWidget(game2);
    gameRow->addSpacing(16);
    gameRow->addWidget(onlyOfficial);
    gameRow->addStretch();

    auto *instructionsTitle = label(QStringLiteral("Instrucciones para papel oficial:"), QStringLiteral("Label3"), this);
    setBold(instructionsTitle);
    auto *instructions = label(
        QStringLiteral("Inserte el papel oficial en la impresora de la forma indicada en la imagen. Tenga en cuenta "
                       "que tendrá que modificar los valores X e Y, según modelo de impresora. X=Distancia horizontal "
                       "al centro de la casilla Nº 1 - margen X por defecto de la impresora. Y= Distancia vertical al "
                       "centro de la casilla Nº1 - margen Y por defecto de tu impresora."),
        QStringLiteral("Label4"), this);
    instructions->setWordWrap(true);
    instructions->setMinimumWidth(300);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(PrinterEntryPicture::render(QSize(260, 190)));
    picture->setFrameShape(QFrame::Box);
    auto *pictureCaption = label(QStringLiteral("Entrada impresora"), QStringLiteral("Label6"), this);
    pictureCaption->setAlignment(Qt::AlignCenter);
    setBold(pictureCaption);

    // The calibration: millimetres with a decimal comma.
    auto *calibrationTitle = label(QStringLiteral("Corrección margen impresora:"), QStringLiteral("Label8"), this);
    setBold(calibrationTitle);
    auto *calibrationRow = new QHBoxLayout;
    calibrationRow->addWidget(calibrationTitle);
    const QString axes[2] = {QStringLiteral("X"), QStringLiteral("Y")};
    for (int i = 0; i < 2; ++i) {
        auto *axis = label(axes[i], QStringLiteral("Label7_%1").arg(i), this);
        setBold(axis);
        // Millimetres with a decimal comma, checked once editing finishes.
        auto *box = new QDoubleSpinBox(this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
        box->setRange(-CalibrationEditor::kLimitMm, CalibrationEditor::kLimitMm);
        box->setDecimals(2);
        box->setSingleStep(0.5);
        box->setKeyboardTracking(false);
        box->setAlignment(Qt::AlignRight);
        axis->setBuddy(box);
        m_boxes[std::size_t(i)] = box;
        calibrationRow->addSpacing(12);
        calibrationRow->addWidget(axis);
        calibrationRow->addWidget(box);
        calibrationRow->addWidget(label(QStringLiteral("mm."), QStringLiteral("Label7_%1").arg(i + 2), this));
    }
    calibrationRow->addStretch();

    m_official = new QPushButton(QStringLiteral("Imprimir en papel oficial"), this);
    m_official->setObjectName(QStringLiteral("Command1"));
    m_official->setToolTip(QStringLiteral("Ajuste la X yla Y para que las \"x\" coincidan en las casillas. También "
                                          "depende del papel oficial ya que aveces estan cortados irregularmente."));
    m_plain = new QPushButton(QStringLiteral("Imprimir en papel normal"), this);
    m_plain->setObjectName(QStringLiteral("Command2"));
    m_plain->setToolTip(QStringLiteral("Imprime en papel normal una participación compatible con el sistema oficial!"));
    for (QPushButton *button : {m_official, m_plain}) {
        button->setMinimumHeight(36);
        setBold(button);
        button->setEnabled(job.slipCount > 0);
    }
    connect(m_official, &QPushButton::clicked, this, [this] { printSlips(SlipLayout::Mode::Official); });
    connect(m_plain, &QPushButton::clicked, this, [this] { printSlips(SlipLayout::Mode::Plain); });
    // Without a printer the participations can still be kept and printed elsewhere.
    m_pdf = new QPushButton(QStringLiteral("Guardar como PDF…"), this);
    m_pdf->setObjectName(QStringLiteral("GuardarPdf"));
    m_pdf->setToolTip(QStringLiteral("Guarda en un PDF los boletos en papel normal."));
    m_pdf->setMinimumHeight(36);
    m_pdf->setEnabled(false);
    connect(m_pdf, &QPushButton::clicked, this, &Imprimir::saveAsPdf);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(heading);
    nameRow->addWidget(name);
    nameRow->addStretch();

    auto *instructionsColumn = new QVBoxLayout;
    instructionsColumn->addWidget(instructionsTitle);
    instructionsColumn->addWidget(instructions);
    instructionsColumn->addStretch();
    auto *pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(picture);
    pictureColumn->addWidget(pictureCaption);
    auto *instructionsRow = new QHBoxLayout;
    instructionsRow->addLayout(instructionsColumn, 1);
    instructionsRow->addLayout(pictureColumn);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_official);
    buttons->addWidget(m_plain);
    buttons->addWidget(m_pdf);

    auto *layout = new QVBoxLayout(FitToScreen::scrolledContents(this));
    layout->addLayout(nameRow);
    layout->addLayout(facts);
    layout->addLayout(gameRow);
    layout->addSpacing(8);
    layout->addLayout(instructionsRow);
    layout->addLayout(calibrationRow);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    // Read-only data: the offsets are shown as they are, not changed.
    for (QDoubleSpinBox *box : m_boxes)
        box->setEnabled(!session.isReadOnly());
    // The offsets last, as nums.ini holds them now.
    m_calibration.load();
    const QPointF stored = m_calibration.offsets();
    for (int i = 0; i < 2; ++i) {
        const auto box = CalibrationEditor::Box(i);
        m_boxes[std::size_t(i)]->setValue(i == 0 ? stored.x() : stored.y());
        connect(m_boxes[std::size_t(i)], &QDoubleSpinBox::valueChanged, this, [this, box](double value) {
            if (!m_calibration.setOffset(box, value))
                m_prompter.warn(kTitle, QStringLiteral("No se ha podido guardar la corrección en nums.ini. "
                                                       "Compruebe que el fichero se puede escribir."));
        });
    }
}

void Imprimir::printSlips(SlipLayout::Mode mode)
{
    const SyndicateRecord syndicate = m_syndicate;
    const QPointF offsets = m_calibration.offsets();
    const QDate drawDate = m_drawDate;
    if (!m_dialog.print([&](PrintSurface &surface) { SlipLayout::print(surface, syndicate, mode, offsets, drawDate); })
        && !m_dialog.errorString().isEmpty())
        showOutcome(m_prompter, Outcome::problem(Outcome::Command::PrintSlips, m_dialog.errorString()));
}

void Imprimir::setFileChooser(FileChooser *chooser)
{
    m_chooser = chooser;
    m_pdf->setEnabled(chooser && SlipLayout::jobFor(m_syndicate).slipCount > 0);
}

void Imprimir::saveAsPdf()
{
    if (!m_chooser)
        return;
    const QString path = m_chooser->choosePdfFile(m_syndicate.name().trimmed() + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    // The save dialog itself asked before an existing file is replaced.
    if (const QString refused = OutputFile::refusal(path, m_dataDir, true); !refused.isEmpty()) {
        showOutcome(m_prompter, Outcome::problem(Outcome::Command::PrintSlips, refused));
        return;
    }
    PdfFilePrinter printer(path, m_syndicate.name().trimmed());
    const SyndicateRecord syndicate = m_syndicate;
    const QDate drawDate = m_drawDate;
    const bool written = printer.print(
        [&](PrintSurface &surface) { SlipLayout::print(surface, syndicate, SlipLayout::Mode::Plain, {}, drawDate); });
    showOutcome(m_prompter, written ? Outcome::printed(Outcome::Command::PrintSlips, path, syndicate.name().trimmed()) : Outcome::problem(Outcome::Command::PrintSlips, printer.errorString()));
}
