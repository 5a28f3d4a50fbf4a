// LandXML file: the reader on its only alignment, then the element chain, chain-break table and profile the
// initialise command builds from it.
#include "FuzzSupport.h"
#include "input/LandXml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ExpectingReportedFailures([&] {
        const LandXmlRoad road = ReadLandXml(fuzz::BytesOf(data, size), {});
        BuildElementChain(road.plan);
        MakeChainBreakTable(road.chainBreaks);
        if (!road.profilePoints.empty()) ProfileBuild(road.profilePoints);
    });
    return 0;
}
