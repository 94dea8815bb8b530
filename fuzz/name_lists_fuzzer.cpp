// The bytes as ChipAttributes.txt and as ObjectList.txt: decoded and split as the program
// reads them, then the attribute name of every property byte and the item of every kind.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/name_list_file.h"
#include "core/testing/rom_fixture.h"
#include "fuzz/fuzz_check.h"

namespace zantor::fuzz {
namespace {

// Every name the window shows from the core comes back from UTF-8 unchanged.
bool ReadsBackAsUtf8(const std::string& name) {
  return QString::fromStdString(name).toStdString() == name;
}

}  // namespace
}  // namespace zantor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zantor;
  using namespace zantor::fuzz;
  static testing::RomFixture fixture;  // no image needed: the lookup reads only the list

  const auto lines = DecodeNameList(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  FUZZ_CHECK(lines.has_value());  // a toolkit without the code page reads no list at all
  for (const QString& line : *lines) {
    FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(u'\0')));
  }

  fixture.attribute_names = ChipAttributeNameList(*lines);
  FUZZ_CHECK(fixture.attribute_names.size() == static_cast<std::size_t>(lines->size()));
  for (int property = 0; property < 256; ++property) {
    FUZZ_CHECK(ReadsBackAsUtf8(fixture.rom.ChipAttributeName(property)));
  }

  const QStringList kinds = ObjectKindItems(*lines);
  FUZZ_CHECK(kinds.size() <= kObjectKindCount);
  for (int kind = 0; kind < kObjectKindCount; ++kind) {
    FUZZ_CHECK(ReadsBackAsUtf8(kinds.value(kind).toStdString()));
  }
  return 0;
}
