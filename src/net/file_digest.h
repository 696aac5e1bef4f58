#pragma once
// The file digest: MD5 as 32 hexadecimal digits, lower case unless asked for capitals.
#include "base/text.h"

Text FileDigest(const Bytes& bytes, int upperCase = 0);
// Same text as FileDigest of the whole file, read in pieces; empty when the file cannot be read.
Text FileDigestOfFile(const Text& path, int upperCase = 0);
