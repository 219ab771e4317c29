#include "forces/workbook_package.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma::xlsx {

namespace {

struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

void Package::ZipDiscard::operator()(zip* archive) const { zip_discard(archive); }

Package::Package(const std::string& path, const WorkbookLimits& limits)
    : path_(path), limits_(limits) {
  int error = 0;
  zip_.reset(zip_open(path.c_str(), ZIP_RDONLY, &error));
  if (!zip_) {
    zip_error_t why;
    zip_error_init_with_code(&why, error);
    const std::string reason = zip_error_strerror(&why);
    zip_error_fini(&why);
    // It begins as a zip package does (RefuseNonWorkbook saw to that): cut
    // short or damaged.
    throw Error("文件已损坏或不完整: " + Quoted(path) + " 不能作为 zip 压缩包打开 (" + reason +
                ")");
  }
}

Package::~Package() = default;

bool Package::Has(const std::string& part) const {
  return zip_name_locate(zip_.get(), part.c_str(), 0) >= 0;
}

bool Package::Parse(const std::string& part, XmlHandler& handler) {
  XmlParse parse(handler);
  return Inflate(part, [&](const char* data, std::size_t size, bool last) {
    return parse.Feed(data, size, last, part);
  });
}

std::uint64_t Package::DeclaredSize(const std::string& part) const {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(zip_.get(), part.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) return 0;
  return stat.size;
}

bool Package::Inflate(const std::string& part, const Take& take) {
  const zip_int64_t index = zip_name_locate(zip_.get(), part.c_str(), 0);
  if (index < 0) return false;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(zip_.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0)
    throw Error(Where(part) + "无法读取 (" + zip_strerror(zip_.get()) + ")");
  if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
    throw Error(Where(part) + "是加密的, 不能读取");
  const std::uint64_t declared = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
  const std::uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
  CheckSize(part, declared, packed);
  std::unique_ptr<zip_file_t, ZipFileClose> file(
      zip_fopen_index(zip_.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file) throw Error(Where(part) + "无法解压 (" + zip_strerror(zip_.get()) + ")");

  // Blocks of 1 MiB, or of the part's size for a small part.
  std::vector<char> buffer(
      static_cast<std::size_t>(std::clamp<std::uint64_t>(declared + 1, 4096, 1 << 20)));
  std::uint64_t inflated = 0;
  for (;;) {
    const zip_int64_t n = zip_fread(file.get(), buffer.data(), buffer.size());
    if (n < 0) throw Error(Where(part) + "已损坏 (" + zip_file_strerror(file.get()) + ")");
    inflated += static_cast<std::uint64_t>(n);
    total_ += static_cast<std::uint64_t>(n);
    // The declared size may lie: the bounds hold for the bytes inflated.
    CheckSize(part, inflated, packed);
    if (!take(buffer.data(), static_cast<std::size_t>(n), n == 0)) return true;
    if (n == 0) return true;
  }
}

std::string Package::Where(const std::string& part) const {
  return "工作簿 " + Quoted(path_) + " 的部件 " + Quoted(part) + " ";
}

void Package::CheckSize(const std::string& part, std::uint64_t bytes, std::uint64_t packed) const {
  auto refuse = [&](const std::string& why) {
    throw Error(Where(part) + why + ", 不像是真实的工作簿 (可能是恶意构造的压缩包), 拒绝读取");
  };
  if (bytes > limits_.entryBytes) {
    refuse("解压后超过 " + FormatInt(static_cast<long long>(limits_.entryBytes)) + " 字节");
  }
  if (total_ > limits_.totalBytes) {
    refuse("使各部件解压后总共超过 " + FormatInt(static_cast<long long>(limits_.totalBytes)) +
           " 字节");
  }
  if (bytes > limits_.ratioFloorBytes && packed > 0 &&
      static_cast<double>(bytes) > limits_.ratio * static_cast<double>(packed)) {
    refuse("解压后是压缩数据的 " + FormatInt(static_cast<long long>(bytes / packed)) + " 倍以上");
  }
}

std::string FirstBytes(const std::string& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

namespace {

constexpr char kCompoundMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// An encrypted workbook is a compound file holding the stream
// "EncryptedPackage" (its name in UTF-16); an old .xls holds "Workbook".
bool IsEncryptedPackage(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string name;
  for (char c : std::string("EncryptedPackage")) {
    name += c;
    name += '\0';
  }
  std::string block(1 << 20, '\0');
  std::string carry;
  for (int blocks = 0; blocks < 64 && in; ++blocks) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const std::string window = carry + block.substr(0, static_cast<std::size_t>(in.gcount()));
    if (window.find(name) != std::string::npos) return true;
    carry = window.substr(window.size() > name.size() ? window.size() - name.size() : 0);
  }
  return false;
}

}  // namespace

bool IsCompoundFile(const std::string& first) { return first.rfind(kCompoundMagic, 0) == 0; }

bool IsZip(const std::string& first) {
  return first.rfind("PK\x03\x04", 0) == 0 || first.rfind("PK\x05\x06", 0) == 0;
}

void RefuseNonWorkbook(const std::string& path) {
  std::ifstream probe(path, std::ios::binary);
  if (!probe) throw Error(FileErrorMessage("open", path));
  const std::string first = FirstBytes(path, 8);
  if (IsCompoundFile(first)) {
    if (IsEncryptedPackage(path)) {
      throw Error(
          "文件 " + Quoted(path) +
          " 是加密 (设置了打开密码) 的 Excel 工作簿, 不能读取; 请在 Excel 中取消密码后另存。");
    }
    throw Error(
        "文件 " + Quoted(path) +
        " 是旧版 Excel 97-2003 工作簿 (.xls), 不能读取; 请在 Excel 中另存为 .xlsx 工作簿。");
  }
  if (!IsZip(first)) {
    throw Error("文件 " + Quoted(path) +
                " 不是 Excel 工作簿 (.xlsx): 它不是 zip 压缩包 (可能是改了扩展名的其他文件)。");
  }
}

}  // namespace kuma::xlsx
