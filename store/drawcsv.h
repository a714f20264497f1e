#pragma once

#include "drawrecord.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// Draw history as published: "date,n1,n2,n3,n4,n5,clave" lines, oldest first,
// a header line allowed. The numbers are stored ascending, as numeros.dat
// keeps them. Nothing when any line is malformed.
std::optional<std::vector<DrawRecord>> parseDrawCsv(QByteArrayView text);

// A CSV file of draws the user brings: the lines `export` writes
// ("date,n1,n2,n3,n4,n5,clave", a header line allowed), or the same with ";"
// between the fields, dates also as DD/MM/YYYY, the five numbers in any
// order. Every line is read before anything is used; the first one that
// cannot be read stops it. Whether each date may hold a draw is for the
// caller to judge, line by line.
struct DrawCsvRead
{
    std::vector<DrawRecord> draws; // in the file's order, numbers ascending
    std::vector<int> lines; // the line of each draw, from 1
    int badLine = 0; // the first line that cannot be read; 0 when none
    QString problem; // what is wrong with it, in Spanish
};

DrawCsvRead readDrawCsv(QByteArrayView text);
