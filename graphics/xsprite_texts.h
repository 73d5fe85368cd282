// The display's message-box texts and debugger lines. The Japanese ones are
// Shift-JIS (code page 932) bytes; each carries its decoded text.
#pragma once

namespace xsprite_text {

// "XSpriteクラス"
inline constexpr char kErrorCaption[] = "XSprite\x83\x4e\x83\x89\x83\x58";
// "警告"
inline constexpr char kWarningCaption[] = "\x8c\x78\x8d\x90";
// "DirectDrawを初期化できません。"
inline constexpr char kCannotInitialise[] =
    "DirectDraw\x82\xf0\x8f\x89\x8a\xfa\x89\xbb\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42";

// "エラーが発生したので強制的に画面モードを変えます。\n"
inline constexpr char kForcedModeChange[] =
    "\x83\x47\x83\x89\x81\x5b\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82\xbd\x82\xcc\x82\xc5\x8b\xad"
    "\x90\xa7\x93\x49\x82\xc9\x89\xe6\x96\xca\x83\x82\x81\x5b\x83\x68\x82\xf0\x95\xcf\x82\xa6"
    "\x82\xdc\x82\xb7\x81\x42\n";
inline constexpr char kTry24[] = "24bit!\n";
inline constexpr char kTry32[] = "32bit!\n";
inline constexpr char kTry16[] = "16bit!\n";
// "24bit!失敗\n", "32bit!失敗\n", "16bit!失敗\n"
inline constexpr char kFailed24[] = "24bit!\x8e\xb8\x94\x73\n";
inline constexpr char kFailed32[] = "32bit!\x8e\xb8\x94\x73\n";
inline constexpr char kFailed16[] = "16bit!\x8e\xb8\x94\x73\n";
// "このシステムではDirectXが使えません。\n"
inline constexpr char kNoDirectX[] =
    "\x82\xb1\x82\xcc\x83\x56\x83\x58\x83\x65\x83\x80\x82\xc5\x82\xcd"
    "DirectX\x82\xaa\x8e\x67\x82\xa6\x82\xdc\x82\xb9\x82\xf1\x81\x42\n";
// "サーフェスコピーの失敗!\n"
inline constexpr char kSurfaceCopyFailed[] =
    "\x83\x54\x81\x5b\x83\x74\x83\x46\x83\x58\x83\x52\x83\x73\x81\x5b\x82\xcc\x8e\xb8\x94\x73!\n";
// "チェンジ!Win", "チェンジ!Full": the screen mode in effect.
inline constexpr char kChangeWindowed[] = "\x83\x60\x83\x46\x83\x93\x83\x57!Win";
inline constexpr char kChangeFullScreen[] = "\x83\x60\x83\x46\x83\x93\x83\x57!Full";
// Format "%s %dbit\n": a screen-mode label and the pixel depth.
inline constexpr char kDepthFormat[] = "%s %dbit\n";
// Format "色のビット=%d\n": the number of colour bits.
inline constexpr char kColorBitsFormat[] = "\x90\x46\x82\xcc\x83\x72\x83\x62\x83\x67=%d\n";

}  // namespace xsprite_text
