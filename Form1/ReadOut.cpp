// The pointer read-out: sample and temperature under the pointer on the chart.
#include "Form1/Form1.h"

#include "chart/ChartScale.h"
#include "platform/core/Locale.h"
#include "platform/core/NumberFormat.h"

void Form1::Pic_MouseMove(short Button, short Shift, float X, float Y)
{
    static_cast<void>(Button);
    static_cast<void>(Shift);
    // The separator follows the user's locale; the digits stay ASCII.
    const std::string separator = userDecimalSeparator();
    Text5->setText(formatNumber(ChartScale::XToSample(X), "0.", separator));
    Text6->setText(formatNumber(ChartScale::YToTemp(Y), "0.###", separator));
}
