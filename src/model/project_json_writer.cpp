// Writing a Project as JSON. Keys go out in byte order in both forms, so the indented package
// copy has sorted keys and the compact project file differs from it only in white space.
#include <string>

#include "model/internal/json_writer.h"
#include "model/project_json.h"

namespace marrowick::ProjectJson {
namespace {

void writeInsets(JsonWriter& out, const SafeInsets& insets) {
    out.beginObject();
    out.key("bottom").number(insets.bottom);
    out.key("left").number(insets.left);
    out.key("right").number(insets.right);
    out.key("top").number(insets.top);
    out.endObject();
}

void writeLayout(JsonWriter& out, const LabelLayout& layout) {
    out.beginObject();
    if (layout.customInsets) writeInsets(out.key("customInsets"), *layout.customInsets);
    out.key("guideID").string(layout.guideID);
    out.key("widthFraction").number(layout.widthFraction);
    out.key("x").number(layout.x);
    out.key("y").number(layout.y);
    out.endObject();
}

void writeLayouts(JsonWriter& out, const LabelLayouts& layouts) {
    out.beginObject();
    for (const auto& [key, layout] : layouts) writeLayout(out.key(key), layout);
    out.endObject();
}

void writeFrameTimes(JsonWriter& out, const std::vector<double>& times) {
    out.beginArray();
    for (double time : times) out.number(time);
    out.endArray();
}

void writeFilm(JsonWriter& out, const Film& film) {
    out.beginObject();
    if (film.bookmark) out.key("bookmark").bytes(*film.bookmark);
    out.key("detector").string(film.detector);
    out.key("duration").number(film.duration);
    out.key("fps").number(film.fps);
    if (film.frameTimes) writeFrameTimes(out.key("frameTimes"), *film.frameTimes);
    out.key("height").integer(film.height);
    out.key("id").uuid(film.id);
    out.key("path").string(film.path);
    if (film.sourceSHA256) out.key("sourceSHA256").string(*film.sourceSHA256);
    if (film.startTimecode) out.key("startTimecode").string(*film.startTimecode);
    if (film.timecodeRate) out.key("timecodeRate").integer(*film.timecodeRate);
    out.key("width").integer(film.width);
    out.endObject();
}

void writeCarried(JsonWriter& out, const CarriedDecision& carried) {
    out.beginObject();
    out.key("disclosure").string(disclosureString(carried.disclosure));
    out.key("end").number(carried.end);
    out.key("filmID").uuid(carried.filmID);
    if (!carried.project.empty()) out.key("project").string(carried.project);
    out.key("start").number(carried.start);
    out.endObject();
}

void writeShot(JsonWriter& out, const Shot& shot) {
    out.beginObject();
    out.key("assistantNote").string(shot.assistantNote);
    out.key("boundaryScore").number(shot.boundaryScore);
    if (shot.carriedFrom) writeCarried(out.key("carriedFrom"), *shot.carriedFrom);
    out.key("category").string(shot.category);
    out.key("disclosure").string(disclosureString(shot.disclosure));
    out.key("end").number(shot.end);
    if (shot.feature) out.key("feature").bytes(*shot.feature);
    out.key("filmID").uuid(shot.filmID);
    out.key("group").integer(shot.group);
    out.key("id").uuid(shot.id);
    out.key("note").string(shot.note);
    out.key("start").number(shot.start);
    if (shot.thumbnail) out.key("thumbnail").bytes(*shot.thumbnail);
    out.endObject();
}

void writeReviewer(JsonWriter& out, const Reviewer& reviewer) {
    out.beginObject();
    out.key("name").string(reviewer.name);
    out.key("role").string(reviewer.role);
    out.endObject();
}

void writeSeal(JsonWriter& out, const SignOffSeal& seal) {
    out.beginObject();
    out.key("filmID").uuid(seal.filmID);
    out.key("filmSHA256").string(seal.filmSHA256);
    out.key("shotsSHA256").string(seal.shotsSHA256);
    out.endObject();
}

void writeEvent(JsonWriter& out, const ReviewEvent& event) {
    out.beginObject();
    out.key("action").string(event.action);
    out.key("date").number(event.date);
    out.key("detail").string(event.detail);
    if (event.reviewer) writeReviewer(out.key("reviewer"), *event.reviewer);
    out.key("shotIDs").beginArray();
    for (const Uuid& id : event.shotIDs) out.uuid(id);
    out.endArray();
    if (event.signOff) writeSeal(out.key("signOff"), *event.signOff);
    out.endObject();
}

template <class Records, class Write>
void writeArray(JsonWriter& out, const Records& records, Write write) {
    out.beginArray();
    for (const auto& record : records) write(out, record);
    out.endArray();
}

// A first guess of the output size, so that large projects are not copied while the string grows.
std::size_t estimatedSize(const Project& project) {
    std::size_t bytes = 4096 + project.films.size() * 512 + project.shots.size() * 400 + project.history.size() * 200;
    for (const Film& film : project.films)
        if (film.frameTimes) bytes += film.frameTimes->size() * 20;
    for (const Shot& shot : project.shots) {
        if (shot.thumbnail) bytes += shot.thumbnail->size() * 4 / 3 + 4;
        if (shot.feature) bytes += shot.feature->size() * 4 / 3 + 4;
    }
    return bytes;
}

std::string write(const Project& project, bool indented) {
    JsonWriter out(indented);
    out.reserve(estimatedSize(project));
    out.beginObject();
    out.key("artisticWork").boolean(project.artisticWork);
    out.key("corner").string(project.corner);
    writeArray(out.key("films"), project.films, writeFilm);
    out.key("groupingThreshold").number(project.groupingThreshold);
    writeArray(out.key("history"), project.history, writeEvent);
    out.key("id").uuid(project.id);
    if (project.labelLayouts) writeLayouts(out.key("labelLayouts"), *project.labelLayouts);
    if (project.labelStyle) out.key("labelStyle").string(labelStyleString(*project.labelStyle));
    out.key("labelWidth").number(project.labelWidth);
    out.key("name").string(project.name);
    out.key("schema").integer(project.schema);
    writeArray(out.key("shots"), project.shots, writeShot);
    out.key("threshold").number(project.threshold);
    out.key("workDisclosure").string(project.workDisclosure);
    out.endObject();
    return out.take();
}

}  // namespace

std::string encode(const Project& project) { return write(project, false); }

std::string encodePretty(const Project& project) {
    std::string text = write(project, true);
    text += '\n';
    return text;
}

}  // namespace marrowick::ProjectJson
