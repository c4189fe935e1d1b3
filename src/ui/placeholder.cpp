// Keeps the ui library non-empty until its first source lands.
namespace marrowick { [[maybe_unused]] static constexpr int kUiPlaceholder = 0; }
