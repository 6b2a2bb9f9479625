#include "figures/report.h"

#include <QStringList>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void printLine(const QString& line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

} // namespace

void printFigure(const QString& figure, const QString& result, const QString& reference, const QString& goal,
                 std::optional<bool> met)
{
    const QString verdict = met ? (*met ? u"yes"_s : u"NO"_s) : u"n/a"_s;
    const QStringList fields{u"FIGURE"_s, figure, result, reference, goal, verdict};
    printLine(fields.join(u'\t'));
}

void printDetail(const QString& line)
{
    printLine(u"  "_s + line);
}

void printSkipped(const QString& figure, const QString& goal, const QString& reason)
{
    printFigure(figure, u"skipped: "_s + reason, u"-"_s, goal, std::nullopt);
}

QString joined(const QList<double>& values, int decimals)
{
    QStringList texts;
    for (double value : values)
        texts.append(QString::number(value, 'f', decimals));
    return texts.join(u' ');
}

QString mebibytes(qint64 kib)
{
    return QString::number(double(kib) / 1024.0, 'f', 1) + u" MiB"_s;
}
