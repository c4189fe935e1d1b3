// Keeps the analysis library non-empty until its first source lands.
namespace marrowick { [[maybe_unused]] static constexpr int kanalysisPlaceholder = 0; }
