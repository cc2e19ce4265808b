#include "store/settings_store.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace kelvaro {

namespace {

// Names of the per-slot values: difficulty first, then player, as in "besttime21".
std::string slotName(std::string_view stem, int player, int difficulty) {
    std::string name(stem);
    name += static_cast<char>('0' + difficulty);
    name += static_cast<char>('0' + player);
    return name;
}

// Reads up to four bytes over the little-endian bytes of current, as a registry read into
// the field would: a shorter value replaces only the low bytes.
bool readWord(Registry& registry, std::string_view name, std::int32_t current,
              std::int32_t& value) {
    const auto bits = static_cast<std::uint32_t>(current);
    std::array<std::uint8_t, 4> bytes{
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    std::uint32_t room = 4;
    std::uint32_t type = 0;
    if (!registry.queryValue(name, bytes.data(), room, type)) return false;
    value = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
    return true;
}

void readCounter(Registry& registry, std::string_view name, std::int32_t& field) {
    std::int32_t value = 0;
    if (readWord(registry, name, field, value) && value >= 0) field = value;
}

// A histogram text written by hand as a quoted string arrives as UTF-16LE ASCII with its
// two-byte terminator; records written here never end in two zero bytes.
bool narrowUtf16(const std::uint8_t* bytes, std::uint32_t count, HistogramText& text) {
    if (count < 4 || count % 2 != 0 || bytes[count - 1] != 0 || bytes[count - 2] != 0) {
        return false;
    }
    for (std::uint32_t i = 0; i + 2 < count; i += 2) {
        if (bytes[i] == 0 || bytes[i] >= 0x80 || bytes[i + 1] != 0) return false;
    }
    text.fill(0);
    for (std::uint32_t i = 0; i + 2 < count; i += 2) text[i / 2] = static_cast<char>(bytes[i]);
    return true;
}

void readHistogram(Registry& registry, std::string_view name, HistogramText& field) {
    std::array<std::uint8_t, histogramBytes> bytes{};
    std::uint32_t room = histogramBytes;
    std::uint32_t type = 0;
    if (!registry.queryValue(name, bytes.data(), room, type) || room > histogramBytes) return;
    if (type == regSz && narrowUtf16(bytes.data(), room, field)) return;
    const auto* zero = static_cast<const std::uint8_t*>(std::memchr(bytes.data(), 0, room));
    if (zero == nullptr) return; // without its zero byte the text has no end
    field.fill(0);
    std::memcpy(field.data(), bytes.data(), static_cast<std::size_t>(zero - bytes.data()));
}

void writeWord(Registry& registry, std::string_view name, std::uint32_t value,
               std::uint32_t bytes = 4) {
    const std::array<std::uint8_t, 4> data{
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    registry.setValue(name, regDword, data.data(), bytes);
}

} // namespace

void initSettings(Settings& settings, Statistics& statistics, Registry& registry) {
    settings = Settings{};
    statistics = Statistics{};
    loadSettings(settings, statistics, registry);
    settings.difficulty = std::clamp(settings.difficulty, 0, difficulties - 1);
}

std::int32_t loadSettings(Settings& settings, Statistics& statistics, Registry& registry) {
    if (!registry.openKey(settingsKeyPath)) return -1;

    std::int32_t value = 0;
    if (readWord(registry, "langue", settings.language, value) && (value == 0 || value == 1)) {
        settings.language = value;
    }
    // The difficulty picks the board size and the records in use, so it is always kept
    // in range, not only at start-up.
    if (readWord(registry, "size", settings.difficulty, value)) {
        settings.difficulty = std::clamp(value, 0, difficulties - 1);
    }
    if (readWord(registry, "player", settings.player, value)) {
        const auto slot = static_cast<std::int16_t>(static_cast<std::uint32_t>(value) & 0xFFFF);
        if (slot == 0 || slot == 1) settings.player = slot;
    }
    if (readWord(registry, "lineVI", static_cast<std::int32_t>(settings.lineViColour), value)) {
        settings.lineViColour = static_cast<Colour>(value);
    }
    if (readWord(registry, "lineOK", static_cast<std::int32_t>(settings.lineOkColour), value)) {
        settings.lineOkColour = static_cast<Colour>(value);
    }

    for (int p = 0; p < playerSlots; ++p) {
        for (int d = 0; d < difficulties; ++d) {
            const auto pi = static_cast<std::size_t>(p);
            const auto di = static_cast<std::size_t>(d);
            readCounter(registry, slotName("besttime", p, d), statistics.bestTime[pi][di]);
            readCounter(registry, slotName("totalplay", p, d), statistics.gamesPlayed[pi][di]);
            readCounter(registry, slotName("totaltime", p, d), statistics.totalTime[pi][di]);
            readCounter(registry, slotName("totalpenal", p, d), statistics.totalPenalty[pi][di]);
            readHistogram(registry, slotName("histo", p, d), statistics.histogram[pi][di]);
        }
    }
    // Came after the first 36 values: a key written before it existed has none, and a value
    // outside 0 to 3 was not written here. Both mean the plain puzzles.
    settings.unique =
        readWord(registry, "unique", 0, value) && value >= 0 && value <= 3 ? value : 0;
    settings.keepGame = readWord(registry, "keepgame", 0, value) && value == 1 ? 1 : 0;
    // Newer still: anything but a stored 1 is the player's colours.
    settings.clearColours = readWord(registry, "clearcolours", 0, value) && value == 1 ? 1 : 0;
    // The stored version is not applied: this program's own stays.
    registry.closeKey();
    return 0;
}

SaveReport saveSettings(const Settings& settings, const Statistics& statistics,
                        Registry& registry) {
    if (!registry.createKey(settingsKeyPath, settingsKeyClass)) return registry.lastSave();

    std::array<std::uint8_t, 8> version{};
    for (std::size_t i = 0; i < settings.versionText.size(); ++i) {
        version[2 * i] = static_cast<std::uint8_t>(settings.versionText[i] & 0xFF);
        version[2 * i + 1] = static_cast<std::uint8_t>(settings.versionText[i] >> 8);
    }
    registry.setValue("version", regSz, version.data(), version.size());
    writeWord(registry, "langue", static_cast<std::uint32_t>(settings.language));
    writeWord(registry, "size", static_cast<std::uint32_t>(settings.difficulty));
    writeWord(registry, "player", static_cast<std::uint16_t>(settings.player), 2);
    writeWord(registry, "lineVI", settings.lineViColour);
    writeWord(registry, "lineOK", settings.lineOkColour);

    for (int p = 0; p < playerSlots; ++p) {
        for (int d = 0; d < difficulties; ++d) {
            const auto pi = static_cast<std::size_t>(p);
            const auto di = static_cast<std::size_t>(d);
            writeWord(registry, slotName("besttime", p, d),
                      static_cast<std::uint32_t>(statistics.bestTime[pi][di]));
            writeWord(registry, slotName("totalplay", p, d),
                      static_cast<std::uint32_t>(statistics.gamesPlayed[pi][di]));
            writeWord(registry, slotName("totaltime", p, d),
                      static_cast<std::uint32_t>(statistics.totalTime[pi][di]));
            writeWord(registry, slotName("totalpenal", p, d),
                      static_cast<std::uint32_t>(statistics.totalPenalty[pi][di]));
            // The text and its zero byte, never more than the 500 bytes of the record.
            const HistogramText& text = statistics.histogram[pi][di];
            std::array<char, histogramBytes> bytes{};
            const void* zero = std::memchr(text.data(), 0, histogramBytes - 1);
            const std::size_t length =
                zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text.data())
                     : histogramBytes - 1;
            std::memcpy(bytes.data(), text.data(), length);
            registry.setValue(slotName("histo", p, d), regSz, bytes.data(),
                              static_cast<std::uint32_t>(length + 1));
        }
    }
    writeWord(registry, "unique", static_cast<std::uint32_t>(settings.unique));
    writeWord(registry, "keepgame", static_cast<std::uint32_t>(settings.keepGame));
    writeWord(registry, "clearcolours", static_cast<std::uint32_t>(settings.clearColours));
    registry.closeKey();
    return registry.lastSave();
}

} // namespace kelvaro
