// The Selection loader under arbitrary bytes.
//
// Besides running the reader and the grid restore under the sanitizers, every input that loads is held to
// what the rest of the program relies on: the counts are within the grid and the table, the Random Order
// value is 0 or 1, and writing the loaded table and loading it again gives the same bytes again. A broken
// promise aborts, which libFuzzer reports as a finding and the corpus replay in the test run as a failure.

#include "code.h"
#include "modelcontrols.h"
#include "norandom.h"
#include "selectionfile.h"
#include "selectionlayout.h"
#include "textcodec.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace velmora;

namespace {

void Check(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    QStringDecoder decoder = SystemDecoder();
    SelectionRecord parsed;
    const FileOutcome outcome = ParseSelection(bytes, decoder, parsed);
    if (!outcome.ok) {
        Check(!outcome.error.isEmpty(), "a refused file comes with a reason");
        Check(parsed == SelectionRecord{}, "a refused file leaves the record untouched");
        return 0;
    }
    const SelectionRecord *record = &parsed;
    Check(record->RandomOrder == 0 || record->RandomOrder == 1, "Random Order is 0 or 1");
    Check(record->IndustryCount >= 0 &&
              record->IndustryCount <= std::min<qsizetype>(record->Industries.count(), GridRows),
          "the industry count is within the table and the grid");
    for (const IndustryRecord &industry : record->Industries.items())
        Check(industry.LastType >= 0, "LastType is not negative");

    test::ModelControls controls;
    test::NoRandom random;
    Code code(controls, random);
    controls.attach(code);
    code.record = *record;
    RestoreSelection(code.record, controls);
    Check(controls.checkRandSets == 1 && code.record.RandomOrder == controls.checkRand,
          "the Random Order box is set once, and its handler keeps the record in step");
    for (int row = record->IndustryCount; row < GridRows; ++row)
        Check(controls.ind[static_cast<std::size_t>(row)].isEmpty(), "rows past the count are not touched");

    QStringEncoder encoder = SystemEncoder();
    const QByteArray once = SelectionBytes(*record, encoder);
    SelectionRecord again;
    Check(ParseSelection(once, decoder, again).ok, "a written table loads");
    Check(SelectionBytes(again, encoder) == once, "writing a loaded table is stable");
    return 0;
}
