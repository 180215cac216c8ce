// Bookkeeping of the drawing layer for tests and for the other platform
// parts: how many GDI objects and device contexts are alive, so that a test
// can show that a paint released everything it created.
#pragma once

#include <cstddef>

// Pens, brushes, bitmaps, fonts and regions created and not yet deleted. Stock
// objects and the shared system-colour brushes are not counted.
size_t PlGdiLiveObjectCount();

// Device contexts (memory and surface DCs) not yet deleted.
size_t PlGdiLiveDcCount();
