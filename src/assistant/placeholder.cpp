// Keeps the assistant library non-empty until its first source lands.
namespace marrowick { [[maybe_unused]] static constexpr int kassistantPlaceholder = 0; }
