#pragma once
// The books folder of the data set: the French page of every object record and the own boat's
// pages of the ship book, from data/books.txt.

#include "mkdata/generator.h"

namespace q71::mkdata {

void generateBooks(const Context& context);

} // namespace q71::mkdata
