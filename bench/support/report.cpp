#include "support/report.h"

#include <QStringList>
#include <cstdio>

namespace bench {

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
    const QString verdict = met ? (*met ? QStringLiteral("yes") : QStringLiteral("NO")) : QStringLiteral("n/a");
    const QStringList fields{QStringLiteral("FIGURE"), figure, result, reference, goal, verdict};
    printLine(fields.join(u'\t'));
}

void printDetail(const QString& line)
{
    printLine(QStringLiteral("  ") + line);
}

void printSkipped(const QString& figure, const QString& goal, const QString& reason)
{
    printFigure(figure, QStringLiteral("skipped: ") + reason, QStringLiteral("-"), goal, std::nullopt);
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
    return QString::number(double(kib) / 1024.0, 'f', 1) + QStringLiteral(" MiB");
}

} // namespace bench
