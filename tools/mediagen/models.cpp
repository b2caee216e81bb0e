// Generated models (filled in as the content is made).
#include "mediagen.h"

namespace mediagen {

void GenerateModels(const TOutput&) {}

} // namespace mediagen
