#pragma once
// The zip package of a workbook: its parts inflated in blocks within the
// bounds of WorkbookLimits, and the tests that tell a workbook from the
// files that only look like one.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "forces/workbook.h"
#include "forces/workbook_xml.h"

struct zip;

namespace kuma::xlsx {

class Package {
 public:
  // Opens the package; raises kuma::Error when it is not a zip archive.
  Package(const std::string& path, const WorkbookLimits& limits);
  ~Package();
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  bool Has(const std::string& part) const;

  // Streams a part through `handler`; false when the package has no such part.
  bool Parse(const std::string& part, XmlHandler& handler);

  // The size the part declares (0 when it declares none or is absent).
  std::uint64_t DeclaredSize(const std::string& part) const;

  // The bytes inflated so far, counted against the bound on all parts; a
  // read given up and done again sets the count back.
  std::uint64_t Inflated() const { return total_; }
  void SetInflated(std::uint64_t total) { total_ = total; }

  // Inflates a part in blocks and hands each to `take(data, size, last)`
  // (the last one empty) until it returns false; false when the package
  // has no such part.
  using Take = std::function<bool(const char* data, std::size_t size, bool last)>;
  bool Inflate(const std::string& part, const Take& take);

 private:
  struct ZipDiscard {
    void operator()(zip* archive) const;
  };
  std::string Where(const std::string& part) const;
  void CheckSize(const std::string& part, std::uint64_t bytes, std::uint64_t packed) const;

  std::string path_;
  WorkbookLimits limits_;
  std::unique_ptr<zip, ZipDiscard> zip_;
  std::uint64_t total_ = 0;
};

// Telling what a file is from its first bytes.
std::string FirstBytes(const std::string& path, std::size_t count);
bool IsCompoundFile(const std::string& first);
bool IsZip(const std::string& first);
// Raises kuma::Error saying what the file is when it is not a zip package
// (an old .xls, an encrypted workbook, another file renamed).
void RefuseNonWorkbook(const std::string& path);

}  // namespace kuma::xlsx
