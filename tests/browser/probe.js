// Appended to a copy of the page by scripts/suites/browser.sh: records, once
// the page is laid out, where each picture stands and how many of its shapes
// have a size, and the texts the checks read, as JSON in the pre element
// "probe".
addEventListener("load", () => {
  const pictures = {};
  for (const id of ["border-picture", "zodiac-picture", "chinese-picture"]) {
    const svg = document.getElementById(id);
    if (!svg) continue;
    const box = svg.getBoundingClientRect();
    const shapes = [...svg.querySelectorAll("rect, polygon, polyline, ellipse, path, line, text")];
    pictures[id] = {
      x: box.left + scrollX, y: box.top + scrollY, width: box.width, height: box.height,
      drawnShapes: shapes.filter((s) => { const b = s.getBBox(); return b.width > 0 || b.height > 0; }).length,
    };
  }
  const text = (selector) => [...document.querySelectorAll(selector)].map((e) => e.textContent);
  const probe = document.createElement("pre");
  probe.id = "probe";
  probe.textContent = JSON.stringify({
    charset: document.characterSet,
    pictures,
    headings: text("h1"),
    famous: text(".famous p"),
    additional: text(".more dd"),
    elementsInTexts: document.querySelectorAll("h1 *, .famous p > :not(br), .more dd *").length,
  });
  document.body.append(probe);
});
