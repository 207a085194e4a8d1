// Draws the program's bitmaps and icons and writes them as .bmp and .ico files:
//   banner.bmp       376 x 52, 8 bits per pixel: the logo and a line about the box
//   manual.bmp       24 x 19, 8 bits per pixel: a closed book with a question mark on magenta
//   manual_mask.bmp  24 x 19, 1 bit per pixel: the same book in black and white
//   torvik.ico       32 x 32 and 16 x 16, 16 colours: the antenna mark
//   tray.ico         16 x 16, 16 colours: the antenna mark
// Build with the host compiler and run from anywhere:
//   g++ -std=c++20 -O2 -o make_images res/tools/make_images.cpp && ./make_images res/images
// No libraries beyond the standard one; the lettering uses the small font below.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A picture of palette indices; the palette travels with it.
struct Picture {
    int width;
    int height;
    std::vector<std::uint8_t> pixels;   // row 0 at the top
    std::vector<Rgb> palette;

    Picture(int w, int h, std::vector<Rgb> colours, std::uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w * h), fill),
          palette(std::move(colours)) {}

    void Set(int x, int y, std::uint8_t index) {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            pixels[static_cast<std::size_t>(y * width + x)] = index;
        }
    }
    std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    void Fill(int x, int y, int w, int h, std::uint8_t index) {
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) {
                Set(i, j, index);
            }
        }
    }
    void Line(int x0, int y0, int x1, int y1, std::uint8_t index) {
        const int dx = std::abs(x1 - x0);
        const int dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1;
        const int sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            Set(x0, y0, index);
            if (x0 == x1 && y0 == y1) {
                break;
            }
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
    void Disc(int cx, int cy, int radius, std::uint8_t index) {
        for (int y = -radius; y <= radius; ++y) {
            for (int x = -radius; x <= radius; ++x) {
                if (x * x + y * y <= radius * radius + radius) {
                    Set(cx + x, cy + y, index);
                }
            }
        }
    }
    // An arc of a ring, only the part to the right (dir 1) or left (dir -1) of the centre.
    void Arc(int cx, int cy, int radius, int dir, std::uint8_t index) {
        for (int y = -radius; y <= radius; ++y) {
            for (int x = -radius; x <= radius; ++x) {
                const int d = x * x + y * y;
                if (d >= radius * radius - radius && d <= radius * radius + radius &&
                    x * dir > 2 * std::abs(y)) {
                    Set(cx + x, cy + y, index);
                }
            }
        }
    }
};

// ---- a 5 x 7 font: each glyph is seven rows, bit 4 the leftmost pixel ----

struct Glyph {
    char c;
    std::array<std::uint8_t, 7> rows;
};

constexpr Glyph kFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
    {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
};

const Glyph& GlyphFor(char c) {
    for (const Glyph& g : kFont) {
        if (g.c == c) {
            return g;
        }
    }
    std::fprintf(stderr, "make_images: no glyph for '%c'\n", c);
    std::exit(1);
}

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

int TextWidth(std::string_view text, int scale) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale - scale;
}

void DrawText(Picture& p, int x, int y, std::string_view text, int scale, std::uint8_t index) {
    for (char c : text) {
        const Glyph& g = GlyphFor(c);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int col = 0; col < kGlyphWidth; ++col) {
                if (g.rows[static_cast<std::size_t>(row)] & (0x10 >> col)) {
                    p.Fill(x + col * scale, y + row * scale, scale, scale, index);
                }
            }
        }
        x += (kGlyphWidth + 1) * scale;
    }
}

// ---- file writers ----

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// BITMAPINFOHEADER, the palette and the bottom-up pixel rows at the given depth (1, 4 or 8).
// heightFactor 2 gives the doubled height that an icon image declares for its mask.
std::vector<std::uint8_t> DibBits(const Picture& p, int bits, int heightFactor,
                                  const std::vector<bool>* transparent) {
    const int colours = 1 << bits;
    if (static_cast<int>(p.palette.size()) > colours) {
        std::fprintf(stderr, "make_images: palette too large for %d bits\n", bits);
        std::exit(1);
    }
    const int stride = ((p.width * bits + 31) / 32) * 4;
    const int maskStride = ((p.width + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(p.width));
    Put32(out, static_cast<std::uint32_t>(p.height * heightFactor));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0);   // BI_RGB
    std::uint32_t imageSize = static_cast<std::uint32_t>(stride * p.height);
    if (transparent != nullptr) {
        imageSize += static_cast<std::uint32_t>(maskStride * p.height);
    }
    Put32(out, imageSize);
    Put32(out, 2835);   // 72 dpi
    Put32(out, 2835);
    Put32(out, transparent != nullptr ? 0 : static_cast<std::uint32_t>(colours));
    Put32(out, 0);
    for (int i = 0; i < colours; ++i) {
        const Rgb c = i < static_cast<int>(p.palette.size()) ? p.palette[static_cast<std::size_t>(i)]
                                                            : Rgb{0, 0, 0};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = p.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t v = p.At(x, y);
            const int bit = x * bits;
            row[static_cast<std::size_t>(bit / 8)] |=
                static_cast<std::uint8_t>(v << (8 - bits - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    if (transparent != nullptr) {   // AND mask: 1 = transparent
        for (int y = p.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
            for (int x = 0; x < p.width; ++x) {
                if ((*transparent)[static_cast<std::size_t>(y * p.width + x)]) {
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                }
            }
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "make_images: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

void WriteBmp(const std::string& path, const Picture& p, int bits) {
    const std::vector<std::uint8_t> dib = DibBits(p, bits, 1, nullptr);
    const std::uint32_t headerAndPalette = 14 + 40 + 4u * (1u << bits);
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, headerAndPalette);
    out.insert(out.end(), dib.begin(), dib.end());
    WriteFile(path, out);
}

struct IconImage {
    Picture picture;
    std::vector<bool> transparent;
};

void WriteIco(const std::string& path, const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> dibs;
    for (const IconImage& image : images) {
        dibs.push_back(DibBits(image.picture, 4, 2, &image.transparent));
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);   // icon
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].picture.width));
        out.push_back(static_cast<std::uint8_t>(images[i].picture.height));
        out.push_back(16);   // colours
        out.push_back(0);
        Put16(out, 1);       // planes
        Put16(out, 4);       // bits per pixel
        Put32(out, static_cast<std::uint32_t>(dibs[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(dibs[i].size());
    }
    for (const auto& dib : dibs) {
        out.insert(out.end(), dib.begin(), dib.end());
    }
    WriteFile(path, out);
}

// ---- the pictures ----

// The antenna mark: a mast with three crossing elements of falling length (a three-element
// beam seen from the front) and, unless `wave` equals `mast`, waves leaving it on both sides.
// Drawn into a square of side `size`.
void DrawMark(Picture& p, int left, int top, int size, std::uint8_t mast, std::uint8_t element,
              std::uint8_t wave) {
    const int cx = left + size / 2;
    const int t = std::max(1, size / 16);   // stroke thickness
    const int mastTop = top + size / 8;
    p.Fill(cx - t / 2, mastTop, t, size - size / 8 - t, mast);
    // base
    p.Fill(cx - size / 5, top + size - t * 2, 2 * (size / 5) + 1, t, mast);
    const int spans[3] = {size * 7 / 32, size * 5 / 16, size * 13 / 32};
    for (int i = 0; i < 3; ++i) {
        const int y = mastTop + size / 10 + i * (size / 6);
        p.Fill(cx - spans[i], y, 2 * spans[i] + 1, t, element);
    }
    if (wave != mast) {
        const int wy = mastTop + size / 10;
        for (int radius : {size / 2 - 2 * t, size / 2 + t}) {
            p.Arc(cx, wy, radius, 1, wave);
            p.Arc(cx, wy, radius, -1, wave);
        }
    }
}

Picture Banner() {
    enum : std::uint8_t { kBlack, kWhite, kCyan, kSilver, kDimCyan };
    // No pure 128/192/223 greys: the loader maps those to the 3-D system colours.
    Picture p(376, 52,
              {{0, 0, 0}, {244, 244, 240}, {70, 200, 255}, {170, 176, 184}, {30, 96, 130}});
    DrawMark(p, 8, 5, 42, kWhite, kCyan, kDimCyan);
    DrawText(p, 60, 11, "TORVIK", 3, kWhite);
    const int wordEnd = 60 + TextWidth("TORVIK", 3);
    p.Fill(60, 37, wordEnd - 60, 2, kCyan);
    const int column = wordEnd + 12;
    DrawText(p, column, 10, "USB-CONTROLLED 3-WAY", 1, kSilver);
    DrawText(p, column, 22, "ANTENNA SWITCH AND ANTENNA MIXER", 1, kSilver);
    DrawText(p, column, 34, "9 KHZ TO 300 MHZ", 1, kCyan);
    return p;
}

Picture Book() {
    enum : std::uint8_t { kMagenta, kNavy, kBlue, kWhite, kYellow, kBlack };
    Picture p(24, 19,
              {{255, 0, 255}, {20, 40, 110}, {40, 90, 200}, {250, 250, 250}, {255, 220, 40},
               {0, 0, 0}},
              kMagenta);
    // pages seen from the side at the bottom and right, then the cover over them
    p.Fill(6, 2, 14, 16, kBlack);
    p.Fill(7, 3, 13, 14, kWhite);
    p.Fill(5, 1, 13, 15, kNavy);
    p.Fill(6, 2, 11, 13, kBlue);
    p.Fill(5, 1, 2, 15, kNavy);   // spine
    // question mark on the cover
    DrawText(p, 9, 5, "?", 1, kYellow);
    return p;
}

Picture BookMask(const Picture& book) {
    Picture p(book.width, book.height, {{0, 0, 0}, {255, 255, 255}});
    for (int y = 0; y < book.height; ++y) {
        for (int x = 0; x < book.width; ++x) {
            p.Set(x, y, book.At(x, y) == 0 ? 1 : 0);   // background white, book black
        }
    }
    return p;
}

// The standard 16-colour palette.
std::vector<Rgb> Vga16() {
    return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

IconImage MarkIcon(int size) {
    enum : std::uint8_t { kBlack = 0, kNavy = 4, kTeal = 6, kCyan = 14, kWhite = 15 };
    IconImage icon{Picture(size, size, Vga16(), kBlack), {}};
    Picture& p = icon.picture;
    const int r = size / 2 - 1;
    p.Disc(size / 2, size / 2, r, kNavy);
    // no waves at icon size: they would only blur the mark
    if (size >= 32) {
        DrawMark(p, 4, 3, size - 8, kWhite, kCyan, kWhite);
    } else {
        DrawMark(p, 1, 1, size - 2, kWhite, kCyan, kWhite);
    }
    // The mark uses no black, so black is exactly what lies outside the disc.
    icon.transparent.resize(p.pixels.size());
    for (std::size_t i = 0; i < p.pixels.size(); ++i) {
        icon.transparent[i] = p.pixels[i] == kBlack;
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    WriteBmp(dir + "/banner.bmp", Banner(), 8);
    const Picture book = Book();
    WriteBmp(dir + "/manual.bmp", book, 8);
    WriteBmp(dir + "/manual_mask.bmp", BookMask(book), 1);
    WriteIco(dir + "/torvik.ico", {MarkIcon(32), MarkIcon(16)});
    WriteIco(dir + "/tray.ico", {MarkIcon(16)});
    std::printf("make_images: wrote 5 files to %s\n", dir.c_str());
    return 0;
}
