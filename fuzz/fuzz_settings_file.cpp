// Any bytes as the settings file: parsing never fails, writing it back is stable, loading
// keeps every field usable, and a save over it reads back exactly.
#include "store/reg_text.h"
#include "store/reg_value.h"
#include "store/settings_store.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace kelvaro;

// The file's registry without the file: the same document functions FileRegistry uses.
class DocumentRegistry final : public Registry {
  public:
    explicit DocumentRegistry(RegDocument& document) : document_(document) {}
    bool openKey(std::string_view path) override {
        key_ = "HKEY_CURRENT_USER\\" + std::string(path);
        return hasRegKey(document_, key_);
    }
    bool createKey(std::string_view path, std::string_view) override {
        key_ = "HKEY_CURRENT_USER\\" + std::string(path);
        addRegKey(document_, key_);
        return true;
    }
    bool queryValue(std::string_view name, void* buffer, std::uint32_t& room,
                    std::uint32_t& type) override {
        return copyRegValueOut(findRegValue(document_, key_, name), buffer, room, type);
    }
    bool setValue(std::string_view name, std::uint32_t type, const void* data,
                  std::uint32_t bytes) override {
        setRegValue(document_, key_, regValueFrom(name, type, data, bytes));
        return true;
    }
    void closeKey() override {}

  private:
    RegDocument& document_;
    std::string key_;
};

void require(bool condition) {
    if (!condition) std::abort();
}

bool terminated(const HistogramText& text) {
    return std::memchr(text.data(), 0, text.size()) != nullptr;
}

bool sameRecords(const Settings& a, const Statistics& b, const Settings& c, const Statistics& d) {
    return a.language == c.language && a.difficulty == c.difficulty && a.player == c.player &&
           a.lineOkColour == c.lineOkColour && a.lineViColour == c.lineViColour &&
           a.unique == c.unique && b.bestTime == d.bestTime && b.gamesPlayed == d.gamesPlayed &&
           b.totalTime == d.totalTime && b.totalPenalty == d.totalPenalty &&
           b.histogram == d.histogram;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RegDocument document = parseRegText(input);
    const std::string once = formatRegText(document);
    require(formatRegText(parseRegText(once)) == once);

    Settings settings;
    Statistics statistics;
    DocumentRegistry registry(document);
    initSettings(settings, statistics, registry);
    require(settings.language == 0 || settings.language == 1);
    require(settings.difficulty >= 0 && settings.difficulty <= 2);
    require(settings.player == 0 || settings.player == 1);
    require(settings.unique == 0 || settings.unique == 1);
    for (const auto& row : statistics.histogram) {
        for (const HistogramText& text : row) require(terminated(text));
    }
    for (int p = 0; p < playerSlots; ++p) {
        for (int d = 0; d < difficulties; ++d) {
            const auto pi = static_cast<std::size_t>(p);
            const auto di = static_cast<std::size_t>(d);
            require(statistics.gamesPlayed[pi][di] >= 0 && statistics.totalTime[pi][di] >= 0);
            require(statistics.totalPenalty[pi][di] >= 0 && statistics.bestTime[pi][di] >= 0);
        }
    }

    saveSettings(settings, statistics, registry);
    const std::string saved = formatRegText(document);
    RegDocument again = parseRegText(saved);
    require(formatRegText(again) == saved);
    Settings reloaded;
    Statistics reloadedStatistics;
    DocumentRegistry reader(again);
    require(loadSettings(reloaded, reloadedStatistics, reader) == 0);
    require(sameRecords(settings, statistics, reloaded, reloadedStatistics));
    return 0;
}
