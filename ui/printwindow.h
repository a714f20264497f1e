#pragma once

#include "print/calibrationeditor.h"
#include "print/sliplayout.h"

#include "store/syndicaterecord.h"

#include <QWidget>

#include <array>

class FileChooser;
class PrintDialog;
class Prompter;
class QDoubleSpinBox;
class QPushButton;
class Session;

// "IMPRIMIR BOLETOS": one syndicate's bets on official slips or on plain
// paper, with the printer calibration for official slips. Each print button
// runs one whole job through the print dialog; a cancelled dialog prints
// nothing. The calibration boxes write nums.ini once their editing finishes.
class Imprimir final : public QWidget
{
    Q_OBJECT

public:
    // syndicateRecord counts from 1, as the syndicate list does.
    Imprimir(Session &session, int syndicateRecord, PrintDialog &dialog, QWidget *parent = nullptr);

    // What the calibration boxes hold, as printing uses it.
    QPointF offsets() const { return m_calibration.offsets(); }
    // The save dialog of "Guardar como PDF…"; without one the button is off.
    void setFileChooser(FileChooser *chooser);

private:
    void printSlips(SlipLayout::Mode mode);
    void saveAsPdf();

    PrintDialog &m_dialog;
    Prompter &m_prompter;
    FileChooser *m_chooser = nullptr;
    SyndicateRecord m_syndicate;
    QDate m_drawDate; // the draw a plain participation names
    QString m_dataDir; // where no saved PDF may go
    CalibrationEditor m_calibration;
    std::array<QDoubleSpinBox *, 2> m_boxes {};
    QPushButton *m_official;
    QPushButton *m_plain;
    QPushButton *m_pdf;
};
