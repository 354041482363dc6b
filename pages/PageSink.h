#pragma once
// What one kovp request tells the one waiting for its response, and the one result
// type of the page server. A request builds its whole response before it reports, so
// the sink hears at once that everything is there: "first data" with "all data", then
// "last data" with "all data", each carrying the byte count, then the result.
#include <cstddef>

namespace kov {

enum class PageResult {
  kOk,           // done; for a read: bytes were copied
  kEndOfData,    // a read found nothing left
  kBadArgument,  // a read into no memory
  kOutOfMemory,  // the response could not be built
};

// Flags of ReportData; a complete response reports 9 and then 12.
constexpr unsigned kPageDataFirst = 0x01;
constexpr unsigned kPageDataLast = 0x04;
constexpr unsigned kPageDataWhole = 0x08;

class IPageSink {
 public:
  // bytes and bytesMax are the response's length; false ends the reporting.
  virtual bool ReportData(unsigned flags, size_t bytes, size_t bytesMax) = 0;
  virtual void ReportResult(PageResult result) = 0;

 protected:
  ~IPageSink() = default;
};

}  // namespace kov
