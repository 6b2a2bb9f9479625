#include "core/box_value.h"

#include <QLocale>

#include <cctype>
#include <cmath>
#include <string>

namespace {

std::string withoutBlanks(const QString& text)
{
    std::string kept;
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            kept += c.unicode() < 128 ? char(c.unicode()) : '\x7f';
    }
    return kept;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

double wholeNumber(const std::string& digits, int base)
{
    double value = 0;
    for (char c : digits) {
        int digit;
        if (isDigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
            digit = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        else
            break;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return value;
}

// The longest prefix of the form [sign] digits [. digits] [E|D [sign] digits],
// with the exponent letter written as "e".
std::string decimalPrefix(const std::string& s)
{
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number += s[i++];
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            seenDigit = true;
        } else if (s[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += s[i];
    }
    if (!seenDigit)
        return {};
    if (i < s.size() && std::string("EeDd").find(s[i]) != std::string::npos) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        const std::size_t firstDigit = j;
        while (j < s.size() && isDigit(s[j]))
            exponent += s[j++];
        if (j > firstDigit)
            number += exponent;
    }
    return number;
}

double decimalNumber(const std::string& s)
{
    const std::string number = decimalPrefix(s);
    return number.empty() ? 0 : QLocale::c().toDouble(QString::fromLatin1(number));
}

} // namespace

double Val(const QString& text)
{
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h'))
        return wholeNumber(s.substr(2), 16);
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'O' || s[1] == 'o'))
        return wholeNumber(s.substr(2), 8);
    const double value = decimalNumber(s);
    return value == 0 ? 0 : value;
}

std::optional<quint8> toByte(double value)
{
    const double nearest = std::nearbyint(value);
    if (!(nearest >= 0 && nearest <= 255))
        return std::nullopt;
    return static_cast<quint8>(nearest);
}
