// A starter game on Brannock: a landscape, and a creature that the arrow keys
// move around. Escape or closing the window ends it. Make it yours: the art
// is in data/image, the animations in data/Sprite.txt.
#include "framework/globals.h"
#include "framework/system.h"
#include "graphics/xsprite.h"
#include "input/pad_input.h"
#include "sprite/anim_player.h"
#include "sprite/sprite_set.h"

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// The game is the application object (CSystem: window, threads, pacing) and
// the display (XSprite: images, drawing) at once.
class Game : public CSystem, public XSprite {
  public:
    // Once, on the window thread, before the game loop: open the display.
    void Init() override {
        SetTitle("My game - arrow keys move, Esc quits");
        SetClientSize(kWidth, kHeight);
        AttachWindow(GetWindowHandle());
        InitDisplay(kWidth, kHeight, 16, 4);  // 16 bits per pixel in full screen
    }

    // The game loop, on the game thread. It ends when the window closes.
    void MainLoop() override {
        LoadBackground("image\\background.bmp");
        ComposeBackground(0, 0, kWidth, kHeight, 0, 0);

        CSpriteSet sprites(this, 16);  // room for 16 frames
        sprites.Load("Sprite.txt", true);
        CAnimPlayer player;
        player.Start(sprites.Find("PLAYER"), 0, 0);

        int x = kWidth / 2, y = kHeight / 2;  // where the creature's centre is
        while (!g_endFlag) {
            pad.MovePoint(pad.GetDirection(0), x, y, 4, 4);

            RestoreBackground(0, 0, kWidth, kHeight, 0);
            const int image = player.Update();
            POINT corner;
            player.GetDrawPosition(&corner, 0);
            DrawImage(x + corner.x, y + corner.y, image, 0, 0, 0);
            Present();
            WaitFrame(60);
        }
    }

    // On the window thread, for every key pressed.
    void OnKeyDown(int key) override {
        if (key == VK_ESCAPE) RequestClose();
    }

  private:
    // The keyboard; MovePoint keeps the creature's 32x32 picture on screen.
    CPadInput pad{16, 16, kWidth - 16, kHeight - 16};
};

Game game;
