// CSpriteSet: the named animations of one character, read from a sprite
// definition file. Sections open animations, image lines add frames (each
// loads its bitmap "image\<name>" through the display), and "&JUMP TARGET"
// names the animation that follows an animation's last frame.
#pragma once

#include <deque>
#include <vector>

#include "sprite/animation.h"
#include "sprite/text_reader.h"

class XSprite;

class CSpriteSet : public CTextReader {
  public:
    // An empty set that loads its bitmaps through `display` (not owned; with
    // a null display no bitmap is loaded and every frame's handle is -1) and
    // accepts at most `capacity` image lines over its whole life.
    CSpriteSet(XSprite* display, int capacity);
    CSpriteSet(const CSpriteSet&) = delete;
    CSpriteSet& operator=(const CSpriteSet&) = delete;

    // The first animation called exactly `name` (case counts), or null. Also
    // resolves the jump links of the chain that starts at it, so a player can
    // follow them. Returned pointers and links stay valid for the set's life,
    // even if more is loaded later.
    Animation* Find(const char* name);

    int GetCapacity() const { return capacity; }
    // Image lines accepted so far (failed loads included).
    int GetImageCount() const { return imageCount; }
    // Handle loaded by accepted image line `index`, -1 when out of range.
    int GetImageHandle(int index) const;
    int GetAnimationCount() const { return static_cast<int>(animations.size()); }
    // Animation `index` in file order, null when out of range. Its link is
    // resolved only once Find has looked it (or a chain to it) up.
    const Animation* GetAnimation(int index) const;

  protected:
    void OnDirective(char* text) override;
    void OnLine(char* line) override;
    void OnSection(char* name) override;

  private:
    // First animation called `name`, without resolving anything.
    Animation* Lookup(const char* name);

    XSprite* display;
    int capacity;
    int imageCount = 0;
    std::vector<int> imageHandles;  // one per accepted image line
    // A deque never moves its elements as it grows, so links and pointers
    // handed out by Find survive later additions.
    std::deque<Animation> animations;
};
