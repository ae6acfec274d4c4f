#pragma once
// The two books of the boat.

#include "frontend/books/book_screen.h"

namespace q71 {

/// The ship book ("ShipBooksScreen"): the own boat, the page of its stations and the page of its
/// weapons, then each weapon it carries with its own page.
extern const BookKind kShipBook;
/// The reference book ("velmsScreen"): every object record of the data set, in the database's
/// order, with its model, its figures and its page.
extern const BookKind kReferenceBook;

} // namespace q71
