#include "controls/dialog_template.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <map>

namespace torvik {
namespace {

struct Token {
    enum class Kind { kWord, kNumber, kText, kComma, kBar, kEnd } kind = Kind::kEnd;
    std::string value;
    long number = 0;
};

// Splits script text into tokens; comments and preprocessor lines are skipped.
class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    Token Next() {
        SkipSpace();
        if (pos_ >= text_.size()) {
            return {};
        }
        const char c = text_[pos_];
        if (c == ',') {
            ++pos_;
            return {Token::Kind::kComma, ",", 0};
        }
        if (c == '|') {
            ++pos_;
            return {Token::Kind::kBar, "|", 0};
        }
        if (c == '"') {
            return Quoted();
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])) &&
               text_[pos_] != ',' && text_[pos_] != '|' && text_[pos_] != '"') {
            ++pos_;
        }
        Token token{Token::Kind::kWord, std::string(text_.substr(start, pos_ - start)), 0};
        if (ParseNumber(token.value, token.number)) {
            token.kind = Token::Kind::kNumber;
        }
        return token;
    }

    static bool ParseNumber(std::string_view word, long& value) {
        bool negative = false;
        if (!word.empty() && word.front() == '-') {
            negative = true;
            word.remove_prefix(1);
        }
        int base = 10;
        if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
            base = 16;
            word.remove_prefix(2);
        }
        if (word.empty()) {
            return false;
        }
        long parsed = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed, base);
        if (error != std::errc() || end != word.data() + word.size() || parsed > INT32_MAX) {
            return false;
        }
        value = negative ? -parsed : parsed;
        return true;
    }

private:
    void SkipSpace() {
        for (;;) {
            while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
                ++pos_;
            }
            const std::string_view rest = text_.substr(std::min(pos_, text_.size()));
            const bool lineStart = pos_ == 0 || text_[pos_ - 1] == '\n';
            if (rest.starts_with("//") || (lineStart && rest.starts_with("#"))) {
                const std::size_t end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else if (rest.starts_with("/*")) {
                const std::size_t end = text_.find("*/", pos_ + 2);
                pos_ = end == std::string_view::npos ? text_.size() : end + 2;
            } else {
                return;
            }
        }
    }

    // A quoted text; "" inside stands for one quote.
    Token Quoted() {
        Token token{Token::Kind::kText, "", 0};
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    token.value += '"';
                    ++pos_;
                    continue;
                }
                return token;
            }
            token.value += c;
        }
        return {};   // unterminated
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

std::map<std::string, long, std::less<>> Defines(std::string_view header) {
    std::map<std::string, long, std::less<>> names{{"IDOK", 1}, {"IDCANCEL", 2}};
    std::size_t start = 0;
    while (start < header.size()) {
        std::size_t end = header.find('\n', start);
        if (end == std::string_view::npos) {
            end = header.size();
        }
        std::string_view line = header.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with("#define")) {
            continue;
        }
        Lexer lexer(line.substr(7));
        const Token name = lexer.Next();
        const Token value = lexer.Next();
        if (name.kind == Token::Kind::kWord && value.kind == Token::Kind::kNumber) {
            names[name.value] = value.number;
        }
    }
    return names;
}

// The tokens of one statement: up to the next line that starts a statement keyword. The
// script's statements are separated by commas across lines, so a statement ends where a
// token follows a value without a comma between them.
class Parser {
public:
    Parser(std::string_view script, const std::map<std::string, long, std::less<>>& defines)
        : lexer_(script), defines_(defines) {
        Advance();
    }

    std::optional<DialogTemplate> Dialog(std::string_view name) {
        while (current_.kind != Token::Kind::kEnd) {
            if (current_.kind == Token::Kind::kWord && current_.value == name) {
                Advance();
                if (current_.kind == Token::Kind::kWord && current_.value == "DIALOGEX") {
                    Advance();
                    return Body();
                }
            }
            Advance();
        }
        return std::nullopt;
    }

    // NAME MENU BEGIN POPUP "text" BEGIN MENUITEM "text", id ... END END
    std::optional<MenuResource> Menu(std::string_view name) {
        while (current_.kind != Token::Kind::kEnd) {
            if (IsWord(name)) {
                Advance();
                if (IsWord("MENU")) {
                    Advance();
                    return MenuBody();
                }
            }
            Advance();
        }
        return std::nullopt;
    }

private:
    void Advance() { current_ = lexer_.Next(); }
    bool IsWord(std::string_view word) const {
        return current_.kind == Token::Kind::kWord && current_.value == word;
    }
    bool Word(std::string_view word) {
        if (!IsWord(word)) return false;
        Advance();
        return true;
    }

    // A number or a name of the header (-1 for a name it does not define).
    bool Id(int& id) {
        if (current_.kind == Token::Kind::kNumber) {
            id = static_cast<int>(current_.number);
        } else if (current_.kind == Token::Kind::kWord) {
            const auto found = defines_.find(current_.value);
            id = found == defines_.end() ? -1 : static_cast<int>(found->second);
        } else {
            return false;
        }
        Advance();
        return true;
    }

    std::optional<MenuResource> MenuBody() {
        MenuResource menu;
        if (!Word("BEGIN") || !Word("POPUP") || current_.kind != Token::Kind::kText) {
            return std::nullopt;
        }
        menu.popup = current_.value;
        Advance();
        if (!Word("BEGIN")) {
            return std::nullopt;
        }
        while (Word("MENUITEM")) {
            if (Word("SEPARATOR")) continue;
            MenuResource::Item item;
            if (current_.kind != Token::Kind::kText) {
                return std::nullopt;
            }
            item.text = current_.value;
            Advance();
            if (!Comma() || !Id(item.id)) {
                return std::nullopt;
            }
            menu.items.push_back(std::move(item));
        }
        if (!Word("END") || !Word("END")) {
            return std::nullopt;
        }
        return menu;
    }

    bool Number(long& value) {
        if (current_.kind != Token::Kind::kNumber) {
            return false;
        }
        value = current_.number;
        Advance();
        return true;
    }

    bool Comma() {
        if (current_.kind != Token::Kind::kComma) {
            return false;
        }
        Advance();
        return true;
    }

    bool Rectangle(Rect& rect) {
        long x = 0, y = 0, cx = 0, cy = 0;
        if (!(Number(x) && Comma() && Number(y) && Comma() && Number(cx) && Comma() &&
              Number(cy))) {
            return false;
        }
        if (cx < 0 || cy < 0 || cx > 0x7FFF || cy > 0x7FFF || x < -0x8000 || x > 0x7FFF ||
            y < -0x8000 || y > 0x7FFF) {
            return false;
        }
        rect = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + cx),
                static_cast<int>(y + cy)};
        return true;
    }

    // Words and numbers joined by '|'.
    std::vector<std::string> StyleWords() {
        std::vector<std::string> words;
        while (current_.kind == Token::Kind::kWord || current_.kind == Token::Kind::kNumber) {
            words.push_back(current_.value);
            Advance();
            if (current_.kind != Token::Kind::kBar) {
                break;
            }
            Advance();
        }
        return words;
    }

    std::optional<DialogTemplate> Body() {
        DialogTemplate dialog;
        if (!Rectangle(dialog.units)) {
            return std::nullopt;
        }
        while (current_.kind != Token::Kind::kEnd &&
               !(current_.kind == Token::Kind::kWord && current_.value == "BEGIN")) {
            if (current_.kind == Token::Kind::kWord && current_.value == "CAPTION") {
                Advance();
                dialog.caption = current_.value;
            } else if (current_.kind == Token::Kind::kWord && current_.value == "FONT") {
                Advance();
                long points = 0;
                if (!Number(points) || !Comma() || current_.kind != Token::Kind::kText) {
                    return std::nullopt;
                }
                dialog.fontPoints = static_cast<int>(points);
                dialog.fontFace = current_.value;
            }
            Advance();
        }
        if (current_.kind == Token::Kind::kEnd) {
            return std::nullopt;
        }
        Advance();   // BEGIN
        while (current_.kind != Token::Kind::kEnd &&
               !(current_.kind == Token::Kind::kWord && current_.value == "END")) {
            if (current_.kind == Token::Kind::kWord && current_.value == "CONTROL") {
                Advance();
                DialogControl control;
                if (!Control(control)) {
                    return std::nullopt;
                }
                dialog.controls.push_back(std::move(control));
            } else {
                Advance();
            }
        }
        if (current_.kind == Token::Kind::kEnd) {
            return std::nullopt;
        }
        return dialog;
    }

    // CONTROL "text", id, "class", style, x, y, cx, cy [, exstyle]
    bool Control(DialogControl& control) {
        if (current_.kind != Token::Kind::kText) {
            return false;
        }
        control.text = current_.value;
        Advance();
        if (!Comma()) {
            return false;
        }
        if (!Id(control.id)) {
            return false;
        }
        if (!Comma() || current_.kind != Token::Kind::kText) {
            return false;
        }
        control.className = current_.value;
        Advance();
        if (!Comma()) {
            return false;
        }
        control.styles = StyleWords();
        if (!Comma() || !Rectangle(control.units)) {
            return false;
        }
        if (current_.kind == Token::Kind::kComma) {
            Advance();
            StyleWords();   // extended styles: nothing here depends on them
        }
        return true;
    }

    Lexer lexer_;
    const std::map<std::string, long, std::less<>>& defines_;
    Token current_;
};

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

}  // namespace

bool DialogControl::HasStyle(std::string_view word) const {
    return std::find(styles.begin(), styles.end(), word) != styles.end();
}

const DialogControl* DialogTemplate::Find(int id) const {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [id](const DialogControl& c) { return c.id == id; });
    return found == controls.end() ? nullptr : &*found;
}

std::optional<DialogTemplate> ParseDialogTemplate(std::string_view script, std::string_view header,
                                                  std::string_view name) {
    const auto defines = Defines(header);
    return Parser(script, defines).Dialog(name);
}

std::optional<MenuResource> ParseMenuResource(std::string_view script, std::string_view header,
                                              std::string_view name) {
    const auto defines = Defines(header);
    return Parser(script, defines).Menu(name);
}

std::optional<int> DefinedResourceId(std::string_view header, std::string_view name) {
    const auto defines = Defines(header);
    const auto found = defines.find(name);
    if (found == defines.end()) return std::nullopt;
    return static_cast<int>(found->second);
}

DialogBaseUnits BaseUnitsOf(int widthOf52Letters, int fontHeight) {
    return {(widthOf52Letters / 26 + 1) / 2, fontHeight};
}

Rect DialogUnitsToPixels(const Rect& units, DialogBaseUnits base) {
    const int left = MulDiv(units.left, base.x, 4);
    const int top = MulDiv(units.top, base.y, 8);
    return {left, top, left + MulDiv(units.Width(), base.x, 4),
            top + MulDiv(units.Height(), base.y, 8)};
}

}  // namespace torvik
