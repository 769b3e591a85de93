// What parse-bmfont-ascii, behind load-bmfont and three-bmfont-text, reads
// of a text-format .fnt's distance field: its fields as JSON.
const fs = require('fs');
const parse = require('parse-bmfont-ascii');
process.stdout.write(JSON.stringify(parse(fs.readFileSync(process.argv[2], 'utf8')).distanceField));
