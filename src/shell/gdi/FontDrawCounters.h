#pragma once

namespace tavelo {

// How much real work the GDI stand-in has done, for tests and benchmarks of its caches.
struct FontDrawCounters {
    long fontsCreated = 0;    // LOGFONTA records turned into a font (cache misses)
    long facesLoaded = 0;     // font files opened for shaping and outlines
    long shapings = 0;        // HarfBuzz shaping runs
    long glyphsRendered = 0;  // glyph images rasterised
};

}  // namespace tavelo
