// Generated music (filled in as the content is made).
#include "mediagen.h"

namespace mediagen {

void GenerateMusic(const TOutput&) {}

} // namespace mediagen
