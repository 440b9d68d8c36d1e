// SPDX-License-Identifier: MIT
// On a narrow screen the staff row keeps the window's size and scrolls sideways by itself, so that
// its click bands stay as tall as on the desktop; the rest of the window is scaled to the width.
const $ = (id) => document.getElementById(id);
const ROW = new Set(['staff', 'marker']);

export function fitToScreen(layout) {
  const rowHeight = Math.max(
    ...layout.controls.filter((c) => ROW.has(c.kind)).map((c) => c.y + c.height)
  );
  const cut =
    Math.min(
      ...layout.controls
        .filter((c) => !ROW.has(c.kind) && c.kind !== 'status' && c.height > 0)
        .map((c) => c.y)
    ) - layout.controls.find((c) => c.kind === 'staff').y;
  // `width`: main's width, which the page's layout gives, or the window's at the start.
  const fit = (width = $('Frame').parentElement.clientWidth) => {
    const style = getComputedStyle($('Frame').parentElement);
    const room = width - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const narrow = room < layout.width + 2;
    const scale = Math.min(1, (room - 2) / layout.width);
    const row = $('StaffRowInner');
    for (const c of layout.controls) {
      const element = $(c.name);
      if (element && (ROW.has(c.kind) || !narrow)) (narrow ? row : $('MerinMain')).append(element);
    }
    document.body.classList.toggle('narrow', narrow);
    row.style.width = layout.width + 'px';
    row.style.height = rowHeight + 'px';
    const shift = narrow ? cut : 0;
    $('MerinMain').style.transform = `scale(${scale}) translateY(${-shift}px)`;
    $('Frame').style.width = layout.width * scale + 'px';
    $('Frame').style.height = (layout.height - shift) * scale + 'px';
  };
  window.addEventListener('resize', () => fit());
  // At the start by the window's width, which needs no layout of the page, so that a click can be
  // taken before it is laid out; exactly in the first frame, which lays it out anyway (a scroll
  // bar takes its width from the room then).
  fit(window.innerWidth);
  requestAnimationFrame(() => fit());
}
