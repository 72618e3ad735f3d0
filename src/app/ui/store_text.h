// The text conversion moved to foundation/ui so the charts reach it without looking up to the
// application; this name stays for code written against it.
#pragma once

#include "foundation/ui/store_text.h"
