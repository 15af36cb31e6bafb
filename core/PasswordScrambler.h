#pragma once
// The rolling-key scrambler for passwords stored in the record files. Characters are taken
// as their Windows-1252 bytes; the result may hold any byte value. Texts are at most 255
// characters (a longer text is cut).
#include <QByteArray>
#include <QString>
#include <QtGlobal>

QByteArray ScrambleBytes(const QByteArray& plain, quint32 startKey, quint32 multiplier,
                         quint32 addend);
QByteArray UnscrambleBytes(const QByteArray& scrambled, quint32 startKey, quint32 multiplier,
                           quint32 addend);

QString ScrambleString(const QString& text, quint32 startKey, quint32 multiplier, quint32 addend);
QString UnscrambleString(const QString& text, quint32 startKey, quint32 multiplier, quint32 addend);

// The station's fixed key.
QString ScramblePassword(const QString& text);
QString UnscramblePassword(const QString& text);
