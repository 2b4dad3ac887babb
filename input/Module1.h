// Numeric entry shared by every number box: which of "," and "." is the decimal separator
// for this run, and the key filter that each box's key press goes through.
#pragma once

#include <QtGlobal>

namespace Module1 {

// Character codes of the locale's decimal separator and of the other one of "," and ".",
// which typing turns into it; 0 until DetectarSeparador has run, then 44 and 46, one each,
// or, where the locale's separator is neither (the Arabic "٫"), its own code and 46.
extern qint16 SepDecimal;
extern qint16 SepAjeno;

// Settles the pair from the default locale, once, before any calculator opens.
void DetectarSeparador();

// Judges one typed character code: leaves it, replaces a separator key by the decimal
// separator, or sets it to 0 when the character must not reach the box (the caller beeps then).
void FiltrarTecla(qint16 &KeyAscii);

} // namespace Module1
