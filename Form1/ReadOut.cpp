// The pointer read-out: sample and temperature under the pointer on the chart.
#include "Form1/Form1.h"

#include "chart/ChartScale.h"
#include "platform/NumberFormat.h"

#include <QLineEdit>
#include <QLocale>

namespace {

QString formatForReadOut(float value, const char *pattern)
{
    // The separator follows the user's locale; the digits stay ASCII.
    const std::string separator = QLocale().decimalPoint().toStdString();
    return QString::fromStdString(formatNumber(value, pattern, separator));
}

} // namespace

void Form1::Pic_MouseMove(short Button, short Shift, float X, float Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Text5->setText(formatForReadOut(ChartScale::XToSample(X), "0."));
    Text6->setText(formatForReadOut(ChartScale::YToTemp(Y), "0.###"));
}
