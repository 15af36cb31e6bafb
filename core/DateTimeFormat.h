#pragma once
// Formats a date-time by the station's own pattern letters (not Qt's), read without regard
// to case: d dd day, ddd dddd short/full weekday name, m mm month (minutes when they follow
// an hour), mmm mmmm short/full month name, yy yyyy year, h hh hour, n nn minutes, s ss
// seconds, AM/PM a 12-hour clock with its marker. Text in double or single quotes and every
// other character is copied. Day and month names come from the locale.
#include <QDateTime>
#include <QLocale>
#include <QString>

QString FormatDateTime(const QString& pattern, const QDateTime& when,
                       const QLocale& locale = QLocale());

// The record files' date-time: days since 30 December 1899, the fraction the time of day
// (local wall time).
double DateTimeToDays(const QDateTime& when);
QDateTime DaysToDateTime(double days);
