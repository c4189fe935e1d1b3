# A one-film, one-shot project document for the command tests; sourced, not run.
# project SCHEMA DISCLOSURE [EXTRA_SETTINGS]: EXTRA_SETTINGS is inserted as more top-level keys.
project() {
  printf '{"schema":%s,"name":"Reel","films":[{"id":"0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","path":"/f.mov","duration":2,"fps":25,"width":1920,"height":1080,"detector":"TransNetV2"}],"shots":[{"id":"1B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E","filmID":"0b5c8d6e-1f2a-4b3c-8d4e-5f6a7b8c9d0e","start":0,"end":2,"boundaryScore":1,"disclosure":"%s","note":"","category":"","group":0,"assistantNote":""}],"history":[],"threshold":0.5,"groupingThreshold":0.35,"artisticWork":false,"workDisclosure":"AI","labelWidth":0.18,%s"corner":"Bottom right","id":"2B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E"}' "$1" "$2" "${3:-}"
}
