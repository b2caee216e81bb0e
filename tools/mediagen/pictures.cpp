// Generated pictures (filled in as the content is made).
#include "mediagen.h"

namespace mediagen {

void GeneratePictures(const TOutput&) {}

} // namespace mediagen
