// The stage file: its text held in memory, read one record at a time as the stage runs, each
// record placing its enemies, still hidden, on the ring of 32.
#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/high_score.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text_file.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {
namespace {

constexpr size_t kMaxTokenLength = 255;
constexpr size_t kSlack = 10; // the buffer's room past the file's length, all zero
constexpr int kFieldsPerRecord = 12;
// The shipped stages are about a kilobyte; a thousand times that is no stage file.
constexpr size_t kMaxStageFileBytes = size_t{1} << 20;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

enum class TokenResult { Found, EndOfText, TooLong };

// Skips blanks, takes the run of non-blanks, then moves readPos on by the token's length + 1
// counted from where it stood before the blanks. With one blank between tokens that lands on the
// next token; a longer run of blanks leaves readPos short, inside the token just read, and the
// next token begins there.
TokenResult ReadToken(const char*& readPos, const char* textEnd, std::string& token) {
    const char* p = readPos;
    while (p < textEnd && IsBlank(*p))
        ++p;
    if (p >= textEnd) return TokenResult::EndOfText;
    const char* start = p;
    while (p < textEnd && !IsBlank(*p))
        ++p;
    const size_t length = static_cast<size_t>(p - start);
    if (length > kMaxTokenLength) return TokenResult::TooLong;
    token.assign(start, length);
    readPos += length + 1;
    return TokenResult::Found;
}

// An optionally signed decimal integer; reading stops at the first character that does not fit.
// No digit at all, or a value beyond 32 bits, does not convert.
bool ParseInt(const std::string& token, int32_t& out) {
    size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    int64_t value = 0;
    size_t digits = 0;
    for (; i < token.size() && std::isdigit(static_cast<unsigned char>(token[i])); ++i, ++digits) {
        value = value * 10 + (token[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) return false;
    }
    if (digits == 0) return false;
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return false;
    out = static_cast<int32_t>(value);
    return true;
}

// A decimal floating-point number (sign, digits, decimal point, exponent), read up to the first
// character that does not fit; no digit before the exponent does not convert. Values beyond the
// float range are kept at its edge: the sprite's clamps take them from there.
bool ParseFloat(const std::string& token, float& out) {
    size_t i = 0;
    auto digitAt = [&](size_t k) {
        return k < token.size() && std::isdigit(static_cast<unsigned char>(token[k]));
    };
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    size_t digits = 0;
    while (digitAt(i)) {
        ++i;
        ++digits;
    }
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (digitAt(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
        size_t k = i + 1;
        if (k < token.size() && (token[k] == '+' || token[k] == '-')) ++k;
        if (digitAt(k)) {
            while (digitAt(k))
                ++k;
            i = k;
        }
    }
    // Only the decimal prefix reaches strtod, so "inf", "nan" and hexadecimal never convert.
    const std::string number = token.substr(0, i);
    const double value = std::strtod(number.c_str(), nullptr);
    out = static_cast<float>(std::clamp(value, -double{FLT_MAX}, double{FLT_MAX}));
    return true;
}

struct Record {
    int32_t time = 0, moveType = 0, shotKind = 0;
    float x = 0, y = 0, vx = 0, vy = 0, ax = 0, ay = 0;
    int32_t hp = 0, count = 0, interval = 0;
};

// Fields 2 to 12, in file order; a null member marks the float fields.
struct FieldSlot {
    int32_t Record::*asInt;
    float Record::*asFloat;
};
constexpr FieldSlot kFields[kFieldsPerRecord - 1] = {
    {&Record::moveType, nullptr}, {&Record::shotKind, nullptr}, {nullptr, &Record::x},
    {nullptr, &Record::y},        {nullptr, &Record::vx},       {nullptr, &Record::vy},
    {nullptr, &Record::ax},       {nullptr, &Record::ay},       {&Record::hp, nullptr},
    {&Record::count, nullptr},    {&Record::interval, nullptr},
};

} // namespace

void EnemyManager::LoadStage(const char* path) {
    stagePath = path != nullptr ? path : "";
    recordsBegun = 0;
    platform::FileContents file =
        platform::ReadWholeFile(platform::HostPath(stagePath), kMaxStageFileBytes);
    if (!file.Read()) {
        if (!file.missing)
            tessary::DebugPrint("Stage file %s %s.\n", stagePath.c_str(), file.refusal.c_str());
        // The program ends here, and a best score of the run so far is not lost with it.
        SaveHighScoreIfBeaten();
        platform::MessageBox("ERROR", "StageData Error!", platform::MB_OK);
        platform::ExitProcess(-1);
        // Only a test platform comes back here: leave an empty stage that schedules nothing.
        file.bytes.clear();
    }
    // dataEnd keeps the file's length in bytes, as the reader has always measured it; the text
    // may be shorter (CR LF pairs become LF, a Ctrl-Z ends it), and textEnd says where it ends.
    const size_t length = file.bytes.size();
    const std::string text = platform::FromTextMode(file.bytes);
    stageText = std::make_unique<char[]>(length + kSlack); // zero-filled
    const size_t kept = std::min(text.size(), length);
    std::memcpy(stageText.get(), text.data(), kept);
    readPos = stageText.get();
    dataEnd = stageText.get() + length;
    // A zero byte ends the text as surely as the end of the file does.
    textEnd = stageText.get() + std::strlen(stageText.get());
}

void EnemyManager::ReadRecord() {
    if (readPos == nullptr || readPos - stageText.get() >= dataEnd - stageText.get() - 1) {
        readPos = dataEnd;
        return;
    }
    auto stop = [this] { readPos = dataEnd; };
    auto refuse = [this, &stop](const char* why) {
        tessary::DebugPrint("Stage file %s: record %d %s; the schedule ends there.\n",
                            stagePath.c_str(), recordsBegun + 1, why);
        stop();
    };

    std::string token;
    for (;;) {
        const TokenResult got = ReadToken(readPos, textEnd, token);
        if (got == TokenResult::TooLong) return refuse("has a token longer than 255 characters");
        // A file without its final '&' ends with its text.
        if (got == TokenResult::EndOfText) return stop();
        if (readPos - stageText.get() >= dataEnd - stageText.get() - 1) return stop();
        if (token[0] == '&') return stop();
        if (token[0] != '#') break; // a comment is one token and is skipped whole
    }

    Record r;
    if (!ParseInt(token, r.time)) return refuse("has a time that is not a number");
    for (const FieldSlot& field : kFields) {
        const TokenResult got = ReadToken(readPos, textEnd, token);
        if (got == TokenResult::TooLong) return refuse("has a token longer than 255 characters");
        if (got == TokenResult::EndOfText) return refuse("is cut short by the end of the file");
        const bool ok = field.asInt != nullptr ? ParseInt(token, r.*field.asInt)
                                               : ParseFloat(token, r.*field.asFloat);
        if (!ok) return refuse("has a field that is not a number");
    }
    ++recordsBegun;

    // frameMultiplier is 0 only for a frame rate above 60, which the settings never let through.
    const GameGlobals& g = Globals();
    const int32_t multiplier = std::max(g.frameMultiplier, 1);
    const float speed = g.speedFactor;
    nextRecordTime = r.time / multiplier;
    const float vx = r.vx * 2.0f * speed;
    const float vy = r.vy * 2.0f * speed;
    const float ax = r.ax * speed * speed;
    const float ay = r.ay * speed * speed;
    const int64_t step = r.interval / 3;

    // i runs downward, so where a record of more than 32 wraps the ring the earliest enemies are
    // the ones left; below i = 32 every position has been filled for the last time.
    const int32_t last = std::min(r.count, kEnemyRingSize) - 1;
    for (int32_t i = last; i >= 0; --i) {
        const uint32_t position = (static_cast<uint32_t>(ringNext) + static_cast<uint32_t>(i)) %
                                  static_cast<uint32_t>(kEnemyRingSize);
        Enemy& e = enemies[position];
        e.Init();
        e.moveType = r.moveType;
        e.kind = r.shotKind;
        e.hp = r.hp;
        e.SetPosition(r.x, r.y);
        e.SetVelocityX(vx);
        e.SetVelocityY(vy);
        e.SetAccelX(ax);
        e.SetAccelY(ay);
        const int64_t frame = (i * step) / multiplier + stageStartFrame + nextRecordTime;
        e.spawnFrame = static_cast<int32_t>(static_cast<uint32_t>(frame));
    }
    ringNext =
        static_cast<int32_t>(static_cast<uint32_t>(ringNext) + static_cast<uint32_t>(r.count));
}

} // namespace pelko
