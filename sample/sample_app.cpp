// CSampleApp's life: set-up on the window thread, the frame loop on the game
// thread, and the keys and close of the main window.
#include "sample/sample_app.h"

namespace {

constexpr int kDisplayBits = 16;  // the full-screen depth
constexpr int kPageCount = 4;
constexpr int kSpriteCapacity = 100;  // image lines the sprite set accepts
constexpr int kFramesPerSecond = 60;  // the pace with WAIT on

// Frees the loop's sprite set, then its player, however the loop is left:
// by its end, or unwound by a stop of the game thread or by Present's
// exception when the window is gone.
class SceneRelease {
  public:
    explicit SceneRelease(CSampleApp& app) : app(app) {}
    SceneRelease(const SceneRelease&) = delete;
    SceneRelease& operator=(const SceneRelease&) = delete;
    ~SceneRelease() {
        app.spriteSet.reset();
        app.player.reset();
    }

  private:
    CSampleApp& app;
};

}  // namespace

CSampleApp::CSampleApp() : pad(0, 0, kScreenWidth, kScreenHeight), windowInput(nullptr) {}

void CSampleApp::Init() {
    SetClientSize(kScreenWidth, kScreenHeight);
    AttachWindow(GetWindowHandle());
    InitDisplay(kScreenWidth, kScreenHeight, kDisplayBits, kPageCount);
    FillJumpTable();
}

void CSampleApp::MainLoop() {
    autoMode = 1;
    waitMode = 0;
    UpdateTitle();
    endRequested = 0;
    SetShowFps(1);
    {
        const SceneRelease release(*this);
        spriteSet = std::make_unique<CSpriteSet>(this, kSpriteCapacity);
        // Without the file the set stays empty: the game runs without a
        // character picture.
        spriteSet->Load("Sprite.txt", true);
        player = std::make_unique<CAnimPlayer>();
        InitScene();

        while (endRequested == 0) {
            RestoreBackground(0, 0, kScreenWidth, kScreenHeight, 0);
            StepCharacter(autoMode);
            Present();
            if (waitMode != 0) WaitFrame(kFramesPerSecond);
        }
    }
    RequestClose();
}

int CSampleApp::OnClose() {
    endRequested = 1;
    return 1;
}

void CSampleApp::OnKeyDown(int virtualKey) {
    // Virtual-key codes, not characters: 'p' is 112 like F1, but a P key
    // arrives here as 'P'. An auto-repeated key flips its switch again.
    switch (virtualKey) {
        case VK_ESCAPE:
            RequestClose();
            break;
        case VK_F1:
            autoMode ^= 1;
            UpdateTitle();
            break;
        case VK_F2:
            waitMode ^= 1;
            UpdateTitle();
            break;
        case VK_F4:
            ToggleScreenMode();
            break;
        default:
            break;
    }
}

void CSampleApp::UpdateTitle() {
    char title[256];
    wsprintfA(title, "AUTO=%d WAIT=%d", autoMode.load(), waitMode.load());
    SetTitle(title);
}
