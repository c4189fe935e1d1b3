// Keeps the disclosure library non-empty until its first source lands.
namespace marrowick { [[maybe_unused]] static constexpr int kdisclosurePlaceholder = 0; }
