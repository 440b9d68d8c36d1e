// SPDX-License-Identifier: MIT
// The main window as the core's layout places it: every control an element with the window's name
// for it (Gosen0, np0, ken0, bkey0, PedalSW, Command1, Command2, StatusBar1) at its position and
// size, later ones above earlier ones and after them in tab order; and the calls of the core's
// handlers carried out on them.

// The system colours of the window's palette that the layout names (0x800000nn).
const SYSTEM_COLOURS = {
  4: 'Canvas',
  5: 'Canvas',
  6: 'CanvasText',
  7: 'CanvasText',
  8: 'CanvasText',
  9: '#ffffff',
  13: 'Highlight',
  15: 'ButtonFace',
  18: 'ButtonText'
};

// A colour of the layout (255, 0x80000009) as CSS.
export function cssColour(value) {
  if (value >= 0x80000000) return SYSTEM_COLOURS[(value - 0x80000000) & 0xff] ?? 'Canvas';
  return `rgb(${value & 0xff} ${(value >> 8) & 0xff} ${(value >> 16) & 0xff})`;
}

// The page's copy of a picture the core names by its file in the program folder.
export function pictureUrl(path) {
  return (
    'program/' +
    path
      .split('/')
      .pop()
      .replace(/\.bmp$/i, '.png')
  );
}

const pictures = new Map();
function picture(url) {
  if (!pictures.has(url)) {
    pictures.set(
      url,
      new Promise((resolve, reject) => {
        const image = new Image();
        image.onload = () => resolve(image);
        image.onerror = reject;
        image.src = url;
      })
    );
  }
  return pictures.get(url);
}

function pixels(image) {
  const canvas = new OffscreenCanvas(image.width, image.height);
  const context = canvas.getContext('2d');
  context.drawImage(image, 0, 0);
  return context.getImageData(0, 0, image.width, image.height);
}

// The ghost of a note: its own strokes (not the staff lines) in a pale, half transparent blue.
const ghosts = new Map();
function ghostOf(noteUrl, staffUrl) {
  if (!ghosts.has(noteUrl)) {
    ghosts.set(
      noteUrl,
      Promise.all([picture(noteUrl), picture(staffUrl)]).then(([note, staff]) => {
        const a = pixels(note),
          b = pixels(staff);
        const ghost = new ImageData(a.width, a.height);
        for (let i = 0; i < a.data.length; i += 4) {
          if (a.data[i] !== b.data[i]) ghost.data.set([70, 110, 200, 110], i);
        }
        return ghost;
      })
    );
  }
  return ghosts.get(noteUrl);
}

export class MainWindow {
  // Builds the controls of `layout` (the core's mainLayout()) into `client`. `staffPicture` is
  // the core's picture of an empty cell.
  constructor(client, layout, staffPicture) {
    this.layout = layout;
    this.staffUrl = pictureUrl(staffPicture);
    this.cells = [];
    this.markers = [];
    this.white = [];
    this.black = [];
    this.ghostAllowed = true;
    client.style.width = layout.width + 'px';
    client.style.height = layout.height + 'px';
    for (const c of layout.controls) {
      const element = this.make(c);
      if (!element) continue;
      element.id = c.name;
      element.classList.add(c.kind);
      Object.assign(element.style, {
        left: c.x + 'px',
        top: c.y + 'px',
        width: c.width + 'px',
        height: c.height + 'px'
      });
      client.append(element);
    }
    this.status.style.top = layout.height - layout.statusHeight + 'px';
  }

  make(c) {
    switch (c.kind) {
      case 'staff': {
        const cell = document.createElement('div');
        cell.setAttribute('role', 'button');
        const image = document.createElement('img');
        image.src = this.staffUrl;
        image.alt = '';
        image.draggable = false;
        const ghost = document.createElement('canvas');
        ghost.width = c.width;
        ghost.height = c.height;
        ghost.className = 'ghost';
        const name = document.createElement('span');
        name.className = 'ghostname';
        cell.append(image, ghost, name);
        this.cells[c.index] = {cell, image, ghost, name, shown: ''};
        return cell;
      }
      case 'marker': {
        const marker = document.createElement('div');
        marker.setAttribute('role', 'button');
        marker.style.background = cssColour(
          c.index === 0 ? this.layout.markerColours.current : this.layout.markerColours.other
        );
        this.markers[c.index] = marker;
        return marker;
      }
      case 'white':
      case 'black':
      case 'pedal':
      case 'convert':
      case 'testPlay': {
        const button = document.createElement('button');
        button.type = 'button';
        if (c.kind === 'white') this.white[c.index] = button;
        if (c.kind === 'black') this.black[c.index] = button;
        if (c.kind === 'pedal') this.pedal = button;
        if (c.kind === 'convert') this.command1 = button;
        if (c.kind === 'testPlay') this.command2 = button;
        return button;
      }
      case 'status':
        this.status = document.createElement('div');
        this.status.setAttribute('role', 'status');
        return this.status;
      default:
        return null; // the invisible multimedia control
    }
  }

  // Carries out the calls of a handler, in order.
  carryOut(calls) {
    for (const c of calls) {
      switch (c.call) {
        case 'ShowPicture':
          this.cells[c.slot].image.src = pictureUrl(c.path);
          break;
        case 'SetMarkerColour':
          this.markers[c.slot].style.background = cssColour(c.colour);
          this.markers[c.slot].classList.toggle(
            'current',
            c.colour === this.layout.markerColours.current
          );
          break;
        case 'SetStatusText':
          this.status.textContent = c.text;
          break;
        case 'SetMarkerTop':
          this.markers[c.slot].style.top = c.top + 'px';
          break;
        case 'SetCellBorder':
          this.cells[c.slot].cell.classList.toggle('bordered', c.style === 1);
          break;
        case 'SetTestPlayEnabled':
          this.command2.disabled = !c.enabled;
          this.ghostAllowed = c.enabled;
          if (!c.enabled) for (const cell of this.cells) this.showGhost(cell, '', '');
          break;
        default:
          break; // RepaintCell, and sounds, which the page plays itself
      }
    }
  }

  // The ghost of the note `code` named `name` with the picture file `picture` in cell `cell`,
  // or none for ''.
  async showGhost(cell, code, name, picture) {
    if (!this.ghostAllowed) code = '';
    if (cell.shown === code) return;
    cell.shown = code;
    const context = cell.ghost.getContext('2d');
    cell.name.textContent = code ? name : '';
    if (!code) {
      context.clearRect(0, 0, cell.ghost.width, cell.ghost.height);
      return;
    }
    const ghost = await ghostOf(pictureUrl(picture), this.staffUrl);
    if (cell.shown === code) context.putImageData(ghost, 0, 0);
  }

  // The pixel row of the layout under a pointer event on cell `cell`, however the page is scaled.
  rowOf(cell, event) {
    const box = cell.cell.getBoundingClientRect();
    return (event.clientY - box.top) * (cell.cell.offsetHeight / box.height);
  }
}
