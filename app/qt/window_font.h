#pragma once

#include <QFont>

// The window's Song face at a character height of `pixels`: the face the program was drawn for,
// then its Linux stand-ins, so the look never rests on the locale's fallback.
QFont windowFont(int pixels);
