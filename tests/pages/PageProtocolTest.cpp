// A request's Start, reporting order and Read results seen through a recording sink.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/PageProtocol.h"
#include "res/Resources.h"

using namespace kov;

namespace {

struct Report {
  std::string kind;
  unsigned flags;
  size_t progress, progressMax;
  PageResult result;
  bool operator==(const Report& o) const {
    return kind == o.kind && flags == o.flags && progress == o.progress &&
           progressMax == o.progressMax && result == o.result;
  }
};

// Records every report; refuses the ReportData call number refuseAt (1-based).
class CRecordingSink : public IPageSink {
 public:
  explicit CRecordingSink(int refuseAt = 0) : refuseAt_(refuseAt) {}
  bool ReportData(unsigned flags, size_t progress, size_t progressMax) override {
    reports.push_back({"data", flags, progress, progressMax, PageResult::kOk});
    return ++dataCalls_ != refuseAt_;
  }
  void ReportResult(PageResult result) override { reports.push_back({"result", 0, 0, 0, result}); }
  std::vector<Report> reports;

 private:
  int refuseAt_;
  int dataCalls_ = 0;
};

std::vector<Report> Complete(size_t n) {
  return {{"data", 9, n, n, PageResult::kOk},
          {"data", 12, n, n, PageResult::kOk},
          {"result", 0, 0, 0, PageResult::kOk}};
}

std::string Resource(TemplateId id) {
  std::string bytes;
  EXPECT_TRUE(LoadResourceBytes(id, &bytes));
  return bytes;
}

}  // namespace

TEST(PageProtocol, ReportsCompleteOnceAndReadsToTheEnd) {
  std::string page = Resource(TemplateId::kBlankPage);
  ASSERT_FALSE(page.empty());
  {
    CPageProtocol request;
    CRecordingSink sink;
    EXPECT_EQ(request.Start("kovp://blank/", &sink), PageResult::kOk);
    EXPECT_EQ(sink.reports, Complete(page.size()));

    // Exactly the remaining length is kOk; only the following read is the end.
    std::string got(page.size(), '\0');
    size_t n = 0;
    EXPECT_EQ(request.Read(&got[0], 10, &n), PageResult::kOk);
    EXPECT_EQ(n, 10u);
    EXPECT_EQ(request.Read(&got[10], page.size() - 10, &n), PageResult::kOk);
    EXPECT_EQ(got, page);
    EXPECT_EQ(request.Read(&got[0], 10, &n), PageResult::kEndOfData);
    EXPECT_EQ(n, 0u);
  }

  // A read larger than the response returns it whole.
  CPageProtocol request;
  EXPECT_EQ(request.Start("kovp://blank2", nullptr), PageResult::kOk);  // no sink: no reports
  std::string big(1 << 17, '\0');
  size_t n = 0;
  EXPECT_EQ(request.Read(&big[0], big.size(), &n), PageResult::kOk);
  EXPECT_EQ(big.substr(0, n), Resource(TemplateId::kBlank2Page));
  EXPECT_EQ(request.Read(&big[0], 1, &n), PageResult::kEndOfData);
  EXPECT_EQ(request.Read(nullptr, 1, &n), PageResult::kBadArgument);
}

TEST(PageProtocol, RefusedReportsStopAndEmptyResponsesStillComplete) {
  for (int refuseAt : {1, 2}) {
    CPageProtocol request;
    CRecordingSink sink(refuseAt);
    EXPECT_EQ(request.Start("kovp://blank/", &sink), PageResult::kOk);
    ASSERT_EQ(sink.reports.size(), static_cast<size_t>(refuseAt)) << refuseAt;
    EXPECT_EQ(sink.reports.back().kind, "data");
    char byte;
    size_t n = 0;
    EXPECT_EQ(request.Read(&byte, 1, &n), PageResult::kOk);  // the response is there all the same
  }

  CPageProtocol request;
  CRecordingSink sink;
  EXPECT_EQ(request.Start("kovp://bin/999", &sink), PageResult::kOk);
  EXPECT_EQ(sink.reports, Complete(0));
  char byte;
  size_t n = 7;
  EXPECT_EQ(request.Read(&byte, 1, &n), PageResult::kEndOfData);
  EXPECT_EQ(n, 0u);
}
