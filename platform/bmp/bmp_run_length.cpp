// Run-length encoded pixel data (RLE8 and RLE4). The data is a sequence of
// two-byte codes: a count and a value for a run of repeated pixels, or a zero
// count and an escape: 0 end of line, 1 end of bitmap, 2 delta (move right and
// up), 3 and more an absolute run of literal indexes padded to 16 bits. Rows
// go bottom-up; pixels the codes skip stay black. Every write is checked
// against the image's edges and every read against the data's end.
#include <algorithm>

#include "platform/bmp/bmp_layout.h"

namespace brannock::bmp::detail {
namespace {

constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

class RunLengthDecoder {
  public:
    RunLengthDecoder(std::span<const std::uint8_t> data, const Layout& layout,
                     std::uint32_t* pixels)
        : data_(data),
          palette_(layout.palette.data()),
          pixels_(pixels),
          width_(layout.width),
          height_(layout.height),
          fourBit_(layout.encoding == Encoding::kRle4) {}

    std::string Run() {
        for (;;) {
            if (data_.size() - pos_ < 2) {
                // Data that ends right after the last row lacks only the
                // end-of-bitmap code: accept it.
                if (y_ >= height_) return {};
                return "run-length data ends before the end-of-bitmap code";
            }
            codeAt_ = pos_;
            const std::uint8_t count = data_[pos_];
            const std::uint8_t value = data_[pos_ + 1];
            pos_ += 2;
            bool ok = true;
            if (count != 0) {
                ok = RepeatedRun(count, value);
            } else if (value == kEndOfLine) {
                ok = EndOfLine();
            } else if (value == kEndOfBitmap) {
                return {};
            } else if (value == kDelta) {
                ok = Delta();
            } else {
                ok = AbsoluteRun(value);
            }
            if (!ok) return error_;
        }
    }

  private:
    // Records what is wrong with the current code; always false.
    bool Fail(const std::string& what) {
        error_ = "run-length data at byte " + std::to_string(codeAt_) + ": " + what;
        return false;
    }

    // How many of count pixels fit on the current row, or -1 past the last
    // row. Runs reaching past the right edge are cut there: encoders emit the
    // row padding of the uncompressed layout as pixels.
    int Fit(int count) const { return y_ < height_ ? std::min(count, width_ - x_) : -1; }

    std::uint32_t* Cursor() const {
        return pixels_ + static_cast<std::size_t>(height_ - 1 - y_) * width_ + x_;
    }

    bool RepeatedRun(int count, std::uint8_t value) {
        const int fit = Fit(count);
        if (fit < 0) return Fail("pixels past the last row");
        std::uint32_t* out = Cursor();
        if (fourBit_) {
            // Two indexes alternate: high nibble first.
            const std::uint32_t first = palette_[value >> 4];
            const std::uint32_t second = palette_[value & 0xF];
            for (int i = 0; i < fit; ++i)
                out[i] = (i & 1) ? second : first;
        } else {
            std::fill_n(out, fit, palette_[value]);
        }
        x_ += fit;
        return true;
    }

    bool EndOfLine() {
        if (y_ >= height_) return Fail("end of line past the last row");
        x_ = 0;
        ++y_;
        return true;
    }

    bool Delta() {
        if (data_.size() - pos_ < 2) return Fail("delta code cut off");
        const int right = data_[pos_];
        const int up = data_[pos_ + 1];
        pos_ += 2;
        if (right > width_ - x_ || up > height_ - y_) {
            return Fail("delta of (" + std::to_string(right) + ", " + std::to_string(up) +
                        ") moves outside the image");
        }
        x_ += right;
        y_ += up;
        return true;
    }

    bool AbsoluteRun(int count) {
        const std::size_t bytes = fourBit_ ? (count + 1) / 2 : count;
        if (data_.size() - pos_ < bytes) return Fail("absolute run cut off");
        const int fit = Fit(count);
        if (fit < 0) return Fail("pixels past the last row");
        const std::uint8_t* in = data_.data() + pos_;
        std::uint32_t* out = Cursor();
        if (fourBit_) {
            for (int i = 0; i < fit; ++i) {
                const std::uint8_t byte = in[i / 2];
                out[i] = palette_[(i & 1) ? (byte & 0xF) : (byte >> 4)];
            }
        } else {
            for (int i = 0; i < fit; ++i)
                out[i] = palette_[in[i]];
        }
        x_ += fit;
        // Runs are padded to 16 bits; a missing pad byte at the very end of
        // the data is harmless.
        pos_ = std::min(data_.size(), pos_ + bytes + (bytes & 1));
        return true;
    }

    std::span<const std::uint8_t> data_;
    const std::uint32_t* palette_;
    std::uint32_t* pixels_;
    const int width_;
    const int height_;
    const bool fourBit_;
    std::size_t pos_ = 0;
    std::size_t codeAt_ = 0;  // where the code being decoded starts
    int x_ = 0;
    int y_ = 0;  // rows from the bottom
    std::string error_;
};

}  // namespace

std::string DecodeRunLength(std::span<const std::uint8_t> data, const Layout& layout,
                            std::uint32_t* pixels) {
    return RunLengthDecoder(data, layout, pixels).Run();
}

}  // namespace brannock::bmp::detail
