// The text of the sample's sprite definition file, Sprite.txt, written to
// double as a worked example of the format.
#pragma once

#include <string>
#include <vector>

#include "tools/art/sprite_sheet.h"

namespace brannock::art {

std::string DefinitionFile(const std::vector<RenderedAnimation>& animations);

}  // namespace brannock::art
