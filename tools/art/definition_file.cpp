// Sprite.txt: a commented introduction to the format, then one section per
// animation with its own notes.
#include "tools/art/definition_file.h"

namespace brannock::art {
namespace {

constexpr const char* kIntroduction[] = {
    "; The sample fighter's animations. Written by the art generator",
    "; (tools/art, program brannock_art): change the poses there and run it again",
    "; rather than editing this file by hand.",
    ";",
    "; How the file reads",
    ";   Lines starting with ; or / are comments. Spaces are ignored everywhere",
    ";   except in & lines, so they only line things up.",
    ";   [NAME] opens an animation; the game asks for it by that exact name.",
    ";   Each image line adds a frame:   bitmap, x, y, wait",
    ";     bitmap  a file in the folder image beside this file;",
    ";     x, y    where the bitmap's centre lies, in pixels from the anchor: the",
    ";             point on the floor under the fighter (the game keeps it on the",
    ";             floor line, y 320 on the screen). The bitmaps are cropped",
    ";             tightly, so each frame has its own offset; together they keep",
    ";             the feet on the floor. Facing left, the game mirrors the",
    ";             bitmap and negates x.",
    ";     wait    the frame stays wait + 1 steps; with WAIT on a step is 1/60 s.",
    ";   &JUMP NAME says which animation follows the last frame; naming the",
    ";   animation itself makes it loop. Without &JUMP the animation ends: its",
    ";   last frame stays, and the game starts STAND (or SIT while Down is held).",
    ";   A looping animation shows its first frame twice over each round (it is",
    ";   loaded again when its wait runs out), so that frame stays 2 x wait + 2",
    ";   steps: its wait is about half the others'.",
};

// A number right-aligned in four places.
std::string Column(int value) {
    std::string text = std::to_string(value);
    return std::string(text.size() < 4 ? 4 - text.size() : 0, ' ') + text;
}

}  // namespace

std::string DefinitionFile(const std::vector<RenderedAnimation>& animations) {
    std::string text;
    for (const char* line : kIntroduction)
        text += std::string(line) + "\n";
    for (const RenderedAnimation& animation : animations) {
        text += "\n";
        for (const std::string& note : animation.plan->notes)
            text += "; " + note + "\n";
        text += "[" + animation.plan->name + "]\n";
        if (animation.plan->loops) text += "&JUMP " + animation.plan->name + "\n";
        for (const RenderedFrame& frame : animation.frames) {
            // Blanks are ignored, so the columns can line up.
            std::string line = frame.file + ",";
            line.resize(14, ' ');
            line += Column(frame.offsetX) + "," + Column(frame.offsetY) + "," + Column(frame.wait);
            text += line + "\n";
        }
    }
    return text;
}

}  // namespace brannock::art
