// Generated sounds (filled in as the content is made).
#include "mediagen.h"

namespace mediagen {

void GenerateSounds(const TOutput&) {}

} // namespace mediagen
