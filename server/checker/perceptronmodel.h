#pragma once
// PerceptronModel: a multi-class averaged perceptron over hashed string features, for
// the checker's slot classifiers (which article a native writer puts before a noun
// phrase, ...). Trained by the tools under tools/, saved as a text file, loaded once
// and read-only afterwards.
//
// File format (text): "pennova-perceptron 1", then "classes" and the class names,
// "features N", then N rows "<hex key> <weight per class>". Rows the model never
// needs (all weights near zero) are left out when saving.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class PerceptronModel
{
public:
    static constexpr size_t kMaxClasses = 16; // the preposition classifier has 12
    static constexpr size_t kMaxFeatures = 4000000;
    static constexpr size_t kMaxLine = 512;

    using Features = std::vector<uint64_t>;
    struct Example
    {
        Features features;
        int label = 0;
    };

    static uint64_t hash(const std::string &feature);

    // classes: names in index order (none, a, the ...); at most kMaxClasses.
    explicit PerceptronModel(std::vector<std::string> classes = {});

    bool load(const std::string &path, std::string *error = nullptr);
    // False (and the model left empty) with *error set when the text is malformed,
    // truncated or beyond the limits above.
    bool load(std::istream &in, std::string *error = nullptr);
    // Rows whose weights are all below minWeight in size are left out.
    bool save(const std::string &path, float minWeight = 1e-3f) const;
    bool save(std::ostream &out, float minWeight = 1e-3f) const;

    bool empty() const { return m_features == 0; }
    size_t featureCount() const { return m_features; }
    const std::vector<std::string> &classes() const { return m_classes; }
    // The feature's weight for each class; empty when training kept none (seen too seldom).
    std::vector<float> weights(uint64_t feature) const;

    // Averaged training; features seen in fewer than minCount examples are dropped
    // afterwards (they only fit the training text).
    void train(const std::vector<Example> &examples, int iterations, int minCount = 1);

    // One score per class (sum of the features' weights).
    std::vector<float> scores(const Features &features) const;
    int predict(const Features &features) const;

private:
    // feature -> its first weight in m_flat (one weight per class), by open addressing over
    // m_slots (a power of two, at most half full): one cache line per look-up, where a map's
    // nodes took several
    struct Slot
    {
        uint64_t key = 0;
        uint32_t at = 0;
        bool used = false;
    };
    void setIndex(const std::unordered_map<uint64_t, uint32_t> &index);
    size_t slotOf(uint64_t key) const { return size_t(key ^ (key >> 29)) & (m_slots.size() - 1); }
    const Slot *find(uint64_t key) const;

    std::vector<std::string> m_classes;
    std::vector<Slot> m_slots;
    size_t m_features = 0;
    std::vector<float> m_flat;
};

} // namespace PennovaChecker
