// The sample game's one application object. The process entry finds it and
// runs it; the game itself is CSampleApp.
#include "sample/sample_app.h"

namespace {

CSampleApp g_sample;

}  // namespace
