#pragma once
// Merging the cookies a reply sets into the ones a caller keeps.
#include "base/text.h"

// Both texts lose their blanks; `cookieText` becomes the merged list: the reply's cookies first,
// then each old cookie the reply did not set, without cookies the reply deleted and without
// repeats, joined by "; ".
void MergeCookies(Text& cookieText, Text& replyCookies);
