#pragma once

// Control ids of the graph's read-outs, the same in the monitoring view and
// the data logger window so that one graph host serves both.
namespace GraphIds {
constexpr int kResetZoom = 1000;
constexpr int kLevelA = 1004;
constexpr int kTimeA = 1011;
constexpr int kLevelLabel0 = 1012; // 1012..1022, hidden
constexpr int kLevelB = 1023;
constexpr int kTimeB = 1024;
constexpr int kMax = 1025;
constexpr int kMaxTime = 1026;
constexpr int kMin = 1027;
constexpr int kMinTime = 1028;
constexpr int kAverage = 1029;
constexpr int kCount = 1032;
constexpr int kHoverLevel = 1033;
constexpr int kHoverTime = 1034;
constexpr int kLeqLabel = 1080; // "Leq", "LAeq" or "LCeq" beside the Leq between A and B
constexpr int kLeq = 1081;
constexpr int kHScroll = 1038;
constexpr int kVScroll = 1039;
} // namespace GraphIds

// The statistics read-outs and the rate box, the same in the monitoring
// form and the data logger window so that one formatter fills both.
namespace StatIds {
constexpr int kStartTime = 1001;
constexpr int kMax = 1002;
constexpr int kMaxTime = 1003;
constexpr int kAverage = 1005;
constexpr int kMinTime = 1006;
constexpr int kRate = 1007;
constexpr int kMin = 1008;
constexpr int kCount = 1009;
} // namespace StatIds

// Control ids of the monitoring form (template 101) beside the graph's and
// the statistics'.
namespace FormIds {
constexpr int kGraph = 1010;
constexpr int kCursorALabel = 1030;
constexpr int kCursorBLabel = 1031;
constexpr int kTable = 1037;
constexpr int kGraphBox = 1058;
constexpr int kShowGraph = 1059;
constexpr int kShowTable = 1060;
constexpr int kCursorBox = 1061;
} // namespace FormIds

// The run setup dialog (template 148) and the port dialog (template 159).
namespace SetupIds {
constexpr int kSamples = 1044;
constexpr int kRate = StatIds::kRate;
constexpr int kDuration = 1046;
constexpr int kStart = 1047;
constexpr int kEnd = 1048;
} // namespace SetupIds
namespace PortIds {
constexpr int kPort = 1063;
} // namespace PortIds

// Noise figures of the whole run (monitoring view) or of the chosen
// recording (data logger window).
namespace NoiseIds {
constexpr int kLeqLabel = 1082; // "Leq", "LAeq" or "LCeq"
constexpr int kLeq = 1083;
constexpr int kL10 = 1084;
constexpr int kL50 = 1085;
constexpr int kL90 = 1086;
constexpr int kSel = 1087;
constexpr int kDuration = 1088;
} // namespace NoiseIds
