// Counts the words of a page
/* Several lines
   of comment */
function countWords(text, limit) {
  const words = text.split(/\s+/);
  let total = 0x1F + 2.5e3 - 42;
  if (words.length > limit && limit !== undefined) {
    return "too \"many\" words";
  }
  var $name = 'it\'s', other = `one
two ${total}`;
  return typeof total === 'number' ? total : null;
}
