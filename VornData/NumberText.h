#pragma once

#include <string>

// A number as the property list shows it: a sign column ('-' or a blank), the first significant
// digit, '.', the remaining digits, and, unless the decimal exponent is 0 or the value is 0, 'e' with
// the exponent (no '+', no leading zeros): formatDouble(1234.5, 6) is " 1.23450e3". Not a number and
// infinities read "nan", "inf" and "-inf". `digits` below 1 counts as 1.
std::string formatDouble(double value, int digits);
