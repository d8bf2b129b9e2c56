#include "runtime1/definitions/GeneralRuntime1Const.h"

#include <string>
#include <unordered_map>

namespace {

constexpr const TQVResourceString *kOwnEntries[] = {
#define QV_LIST_RES_STRING(id, text) &qvres::QV##id,
    QV_GENERAL_RUNTIME1_TEXTS(QV_LIST_RES_STRING)
#undef QV_LIST_RES_STRING
};

struct Catalogue {
  std::unordered_map<std::string_view, const TQVResourceString *> entries;
  std::unordered_map<std::string, std::u16string> translations;

  Catalogue() {
    for (const TQVResourceString *entry : kOwnEntries) entries.emplace(entry->name, entry);
  }
};

// Built at first use, so that other units may read texts while the package loads.
Catalogue &TheCatalogue() {
  static Catalogue *catalogue = new Catalogue();  // lives until the process ends
  return *catalogue;
}

}  // namespace

std::u16string LoadResString(const TQVResourceString &entry) {
  const auto &translations = TheCatalogue().translations;
  if (!translations.empty()) {
    const auto found = translations.find(entry.name);
    if (found != translations.end()) return found->second;
  }
  return entry.english;
}

std::u16string LoadResStringByName(std::string_view name) {
  const auto &entries = TheCatalogue().entries;
  const auto found = entries.find(name);
  if (found == entries.end()) return {};
  return LoadResString(*found->second);
}

bool ResStringExists(std::string_view name) {
  return TheCatalogue().entries.contains(name);
}

bool SetResStringTranslation(std::string_view name, std::u16string text) {
  Catalogue &catalogue = TheCatalogue();
  const auto found = catalogue.entries.find(name);
  if (found == catalogue.entries.end()) return false;
  catalogue.translations[std::string(found->second->name)] = std::move(text);
  return true;
}

void ClearResStringTranslations() {
  TheCatalogue().translations.clear();
}

void RegisterResStringTable(std::span<const TQVResourceString *const> entries) {
  Catalogue &catalogue = TheCatalogue();
  for (const TQVResourceString *entry : entries) {
    if (entry != nullptr && entry->name != nullptr && entry->english != nullptr) {
      catalogue.entries.emplace(entry->name, entry);
    }
  }
}

std::span<const TQVResourceString *const> GeneralRuntime1ResStrings() {
  return kOwnEntries;
}
