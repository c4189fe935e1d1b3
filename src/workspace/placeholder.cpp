// Keeps the workspace library non-empty until its first source lands.
namespace marrowick { [[maybe_unused]] static constexpr int kWorkspacePlaceholder = 0; }
