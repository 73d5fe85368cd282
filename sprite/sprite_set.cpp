#include "sprite/sprite_set.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "graphics/xsprite.h"

namespace {

// Room for the formed bitmap path and its terminator.
constexpr int kPathSize = 256;

// Reads an integer field the way atoi does (leading white space, an optional
// sign, the digits up to the first other byte; 0 when there are none), but
// saturates at the int range instead of overflowing.
int FieldValue(const char* field) {
    if (field == nullptr) return 0;
    const char* p = field;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < kLimit) value = value * 10 + (*p - '0');
    }
    if (value > kLimit) value = kLimit;
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(value < INT_MAX ? value : INT_MAX);
}

}  // namespace

CSpriteSet::CSpriteSet(XSprite* display, int capacity)
    : display(display), capacity(capacity > 0 ? capacity : 0) {}

int CSpriteSet::GetImageHandle(int index) const {
    if (index < 0 || index >= imageCount) return -1;
    return imageHandles[static_cast<std::size_t>(index)];
}

const Animation* CSpriteSet::GetAnimation(int index) const {
    if (index < 0 || index >= GetAnimationCount()) return nullptr;
    return &animations[static_cast<std::size_t>(index)];
}

void CSpriteSet::OnSection(char* name) {
    animations.emplace_back();
    animations.back().name = name;
}

void CSpriteSet::OnDirective(char* text) {
    UpperCase(text);
    char** const fields = SplitFields(text);
    if (std::strcmp(fields[0], "JUMP") != 0 || animations.empty()) return;

    // "&JUMP" alone names nothing and a target that does not fit the name
    // buffer cannot be stored whole: both leave the animation as it was.
    // An empty target ("&JUMP," or "&JUMP  X") clears the jump.
    const char* const target = fields[1];
    if (target == nullptr || std::strlen(target) >= Animation::kJumpNameSize) return;
    Animation& animation = animations.back();
    std::strcpy(animation.jumpName, target);
    animation.jump = nullptr;  // resolved again by the next Find
}

void CSpriteSet::OnLine(char* line) {
    if (imageCount >= capacity || line[0] == '$') return;
    // A frame before the first section has no animation to join: the line
    // is dropped without loading its bitmap or counting it.
    if (animations.empty()) return;

    char** const fields = SplitFields(line);

    // A failed load leaves the size untouched: cleared, it gives half sizes 0.
    RECT size = {0, 0, 0, 0};
    int handle = -1;
    char path[kPathSize];
    const int length = std::snprintf(path, sizeof path, "image\\%s", fields[0]);
    // A name too long for the path buffer cannot name a loadable file; its
    // frame stays, like any frame whose bitmap failed to load.
    if (display != nullptr && length >= 0 && length < kPathSize) {
        handle = display->LoadBitmapFile(path, XSprite::kTransparent, &size);
    }
    imageHandles.push_back(handle);

    Animation::Frame frame;
    frame.image = handle;
    frame.offsetX = FieldValue(fields[1]);
    frame.offsetY = FieldValue(fields[2]);
    frame.wait = FieldValue(fields[3]);
    frame.user1 = FieldValue(fields[4]);
    frame.user2 = FieldValue(fields[5]);
    frame.negHalfWidth = -(size.right / 2);
    frame.negHalfHeight = -(size.bottom / 2);
    animations.back().AddFrame(frame);
    ++imageCount;
}

Animation* CSpriteSet::Lookup(const char* name) {
    for (Animation& animation : animations) {
        if (animation.name == name) return &animation;
    }
    return nullptr;
}

Animation* CSpriteSet::Find(const char* name) {
    if (name == nullptr) return nullptr;
    Animation* const found = Lookup(name);
    // Resolve the chain of links that starts here. Each link is set to its
    // final target at once, so a chain that comes back to an animation
    // already linked (a loop, a self link) ends the walk; a missing target
    // leaves a null link that the next look-up tries again.
    for (Animation* animation = found;
         animation != nullptr && animation->jumpName[0] != '\0' && animation->jump == nullptr;
         animation = animation->jump) {
        animation->jump = Lookup(animation->jumpName);
    }
    return found;
}
