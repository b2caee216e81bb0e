// Generated icons (filled in as the content is made).
#include "mediagen.h"

namespace mediagen {

void GenerateIcons(const TOutput&) {}

} // namespace mediagen
