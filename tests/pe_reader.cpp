#include "pe_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

struct Image {
  std::vector<std::uint8_t> bytes;
  struct Section {
    std::uint32_t address, size, offset;
  };
  std::vector<Section> sections;

  bool fits(std::size_t offset, std::size_t size) const {
    return offset <= bytes.size() && size <= bytes.size() - offset;
  }
  std::uint32_t u32(std::size_t offset) const {
    if (!fits(offset, 4)) return 0;
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | std::uint32_t(bytes[offset + 3]) << 24;
  }
  std::uint16_t u16(std::size_t offset) const {
    return fits(offset, 2) ? std::uint16_t(bytes[offset] | bytes[offset + 1] << 8) : 0;
  }
  // File offset of a relative virtual address, or 0 when none maps it.
  std::size_t at(std::uint32_t rva) const {
    for (const Section& s : sections)
      if (rva >= s.address && rva - s.address < s.size) return s.offset + (rva - s.address);
    return 0;
  }
  std::string text(std::uint32_t rva) const {
    std::string out;
    for (std::size_t i = at(rva); i && i < bytes.size() && bytes[i]; ++i) out += char(bytes[i]);
    return out;
  }
};

void read_exports(const Image& image, std::uint32_t rva, PeFile& pe) {
  std::size_t dir = image.at(rva);
  if (!dir) return;
  std::uint32_t count = image.u32(dir + 24), names = image.u32(dir + 32);
  for (std::uint32_t i = 0; i < count; ++i) pe.exports.push_back(image.text(image.u32(image.at(names) + 4 * i)));
}

void read_imports(const Image& image, std::uint32_t rva, PeFile& pe) {
  for (std::size_t entry = image.at(rva); entry && image.u32(entry + 12); entry += 20)
    pe.imports.push_back(image.text(image.u32(entry + 12)));
}

// A UTF-16 text of 7-bit characters (others read as '?'), up to a NUL or the end.
std::string utf16(const Image& image, std::size_t at, std::size_t end) {
  std::string out;
  for (; at + 2 <= end && image.u16(at); at += 2) out += image.u16(at) < 128 ? char(image.u16(at)) : '?';
  return out;
}

// String tables (type 6) hold blocks of 16 length-prefixed UTF-16 strings;
// block n holds ids 16 (n - 1) to 16 (n - 1) + 15.
void read_string_block(const Image& image, std::uint32_t block, std::uint32_t language, std::size_t at, std::size_t end,
                       PeFile& pe) {
  for (int k = 0; k < 16 && at + 2 <= end; ++k) {
    std::uint16_t length = image.u16(at);
    at += 2;
    std::string row;
    for (int c = 0; c < length && at + 2 <= end; ++c, at += 2) {
      std::uint16_t ch = image.u16(at);
      row += ch < 128 ? char(ch) : '?';
    }
    int id = int(block - 1) * 16 + k;
    if (length) pe.strings[id] = row, pe.string_languages[id] = int(language);
  }
}

// A node of the version resource: length, value length, type (1: the value
// is text, its length in characters), key, then the value and the children,
// each on a 4-byte boundary from the start of the resource.
struct VersionNode {
  std::string key;
  std::size_t value, value_end, children, end;
};

VersionNode version_node(const Image& image, std::size_t base, std::size_t at, std::size_t limit) {
  auto align = [&](std::size_t offset) { return base + ((offset - base + 3) & ~std::size_t(3)); };
  VersionNode node;
  node.end = std::min(limit, at + std::max<std::size_t>(image.u16(at), 6));
  std::size_t value_size = image.u16(at + 2) * (image.u16(at + 4) == 1 ? 2u : 1u);
  node.key = utf16(image, at + 6, node.end);
  node.value = align(at + 6 + 2 * (node.key.size() + 1));
  node.value_end = std::min(node.end, node.value + value_size);
  node.children = align(node.value + value_size);
  return node;
}

template <typename Visit>
void version_children(const Image& image, std::size_t base, const VersionNode& parent, Visit&& visit) {
  for (std::size_t at = parent.children; at + 6 <= parent.end;) {
    VersionNode child = version_node(image, base, at, parent.end);
    visit(child);
    at = base + ((child.end - base + 3) & ~std::size_t(3));
  }
}

void read_version(const Image& image, std::uint32_t language, std::size_t at, std::size_t end, PeFile& pe) {
  PeFile::Version& version = pe.version;
  version.count += 1;
  version.language = int(language);
  VersionNode root = version_node(image, at, at, end);
  if (root.key != "VS_VERSION_INFO") return;
  if (root.value_end - root.value >= 24) {
    version.signature = image.u32(root.value);
    version.file_ms = image.u32(root.value + 8), version.file_ls = image.u32(root.value + 12);
    version.product_ms = image.u32(root.value + 16), version.product_ls = image.u32(root.value + 20);
  }
  version_children(image, at, root, [&](const VersionNode& info) {
    version_children(image, at, info, [&](const VersionNode& table) {
      if (info.key == "VarFileInfo" && table.key == "Translation")
        for (std::size_t v = table.value; v + 4 <= table.value_end; v += 4)
          version.translations.push_back(image.u32(v));
      if (info.key != "StringFileInfo") return;
      version.tables.push_back(table.key);
      version_children(image, at, table, [&](const VersionNode& text) {
        version.strings[text.key] = utf16(image, text.value, text.value_end);
      });
    });
  });
}

// Resource tree: type -> name -> language -> data.
void read_resources(const Image& image, std::uint32_t rva, PeFile& pe) {
  std::size_t root = image.at(rva);
  if (!root) return;
  auto entries = [&](std::size_t dir, auto&& visit) {
    int n = image.u16(dir + 12) + image.u16(dir + 14);
    for (int i = 0; i < n; ++i) {
      std::size_t e = dir + 16 + 8 * std::size_t(i);
      visit(image.u32(e), image.u32(e + 4));
    }
  };
  entries(root, [&](std::uint32_t type, std::uint32_t type_dir) {
    if (type != 6 && type != 16) return;
    entries(root + (type_dir & 0x7FFFFFFF), [&](std::uint32_t name, std::uint32_t name_dir) {
      entries(root + (name_dir & 0x7FFFFFFF), [&](std::uint32_t language, std::uint32_t data) {
        std::size_t entry = root + data;
        std::size_t at = image.at(image.u32(entry));
        std::size_t end = std::min(image.bytes.size(), at + image.u32(entry + 4));
        if (!at) return;
        if (type == 6)
          read_string_block(image, name, language, at, end, pe);
        else
          read_version(image, language, at, end, pe);
      });
    });
  });
}

}  // namespace

bool read_pe(const std::string& path, PeFile& pe) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  Image image;
  image.bytes.assign(std::istreambuf_iterator<char>(file), {});
  std::size_t header = image.u32(0x3C);
  if (image.u16(0) != 0x5A4D || image.u32(header) != 0x4550) return false;
  pe.machine = image.u16(header + 4);
  int section_count = image.u16(header + 6);
  std::size_t optional = header + 24, optional_size = image.u16(header + 20);
  bool pe32_plus = image.u16(optional) == 0x20B;
  std::size_t directories = optional + (pe32_plus ? 112 : 96);
  for (int i = 0; i < section_count; ++i) {
    std::size_t s = optional + optional_size + 40 * std::size_t(i);
    image.sections.push_back({image.u32(s + 12), std::max(image.u32(s + 8), image.u32(s + 16)), image.u32(s + 20)});
  }
  read_exports(image, image.u32(directories + 0), pe);
  read_imports(image, image.u32(directories + 8), pe);
  read_resources(image, image.u32(directories + 16), pe);
  return true;
}
