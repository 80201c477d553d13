// <fractal-tree>: the animated fractal tree as an element of any page.
//
//   <script type="module" src="fractal-tree.mjs"></script>
//   <fractal-tree></fractal-tree>
//
// Each element runs its own instance of the program on a canvas of its own.
// A click, a tap, or Space or Enter while it has the focus pauses the tree
// and resumes it; so does its `paused` attribute, which it reflects. A
// reader who asked for less motion gets a still tree, paused, until they
// resume it. An element taken out of the page ends its program, and one put
// back starts it again; one moved within the page goes on.

import createFractalTree from './fractal-tree.js';

const lessMotion = matchMedia('(prefers-reduced-motion: reduce)');

// The program compiled once for every element of the page.
let compiled;
function compile() {
  compiled ??= fetch(new URL('fractal-tree.wasm', import.meta.url))
    .then((response) => response.arrayBuffer())
    .then((bytes) => WebAssembly.compile(bytes));
  return compiled;
}

// The element's look, as a style sheet of its own: a page's Content Security
// Policy may forbid style elements, not these. The canvas takes no pointer of
// its own: a click or a tap is the element's.
const look = new CSSStyleSheet();
look.replaceSync(`
  :host { display: inline-block; cursor: pointer; }
  :host(:focus-visible) { outline: 3px solid Highlight; outline-offset: 2px; }
  canvas { display: block; width: 342px; height: 366px; background: #000; pointer-events: none; image-rendering: pixelated; }
  p { max-width: 342px; line-height: normal; }
`);

class FractalTreeElement extends HTMLElement {
  static observedAttributes = ['paused'];

  #program;

  constructor() {
    super();
    const root = this.attachShadow({ mode: 'open' });
    root.adoptedStyleSheets = [look];
    root.append(document.createElement('canvas'));
    this.addEventListener('click', () => this.#toggle());
    this.addEventListener('keydown', (event) => {
      if (event.key !== ' ' && event.key !== 'Enter') return;
      event.preventDefault();
      this.#toggle();
    });
  }

  // Listened to only while the element is in the page, so that the page's
  // media query keeps no element taken out of it alive.
  #followMotion = () => {
    this.paused = lessMotion.matches;
  };

  get paused() {
    return this.hasAttribute('paused');
  }

  set paused(paused) {
    this.toggleAttribute('paused', Boolean(paused));
  }

  connectedCallback() {
    if (!this.hasAttribute('tabindex')) this.tabIndex = 0;
    if (!this.hasAttribute('role')) this.setAttribute('role', 'button');
    if (!this.hasAttribute('aria-label')) this.setAttribute('aria-label', 'Pause the animated fractal tree');
    lessMotion.addEventListener('change', this.#followMotion);
    if (lessMotion.matches) this.paused = true;
    this.setAttribute('aria-pressed', String(this.paused));
    if (this.#program) {
      this.#tell();
    } else {
      this.#start();
    }
  }

  // Taken out of the page, the element pauses at once, and unless it is back
  // by the time the page's own work is done, as a moved element is, its
  // program ends.
  disconnectedCallback() {
    lessMotion.removeEventListener('change', this.#followMotion);
    const program = this.#program;
    program?.then((running) => running._fractal_tree_pause(1));
    queueMicrotask(() => {
      if (this.isConnected || this.#program !== program) return;
      this.#program = undefined;
      program?.then((running) => running._fractal_tree_end());
    });
  }

  attributeChangedCallback() {
    this.setAttribute('aria-pressed', String(this.paused));
    if (this.#program && this.isConnected) this.#tell();
  }

  #toggle() {
    this.paused = !this.paused;
  }

  #tell() {
    this.#program.then((program) => program._fractal_tree_pause(this.paused && this.isConnected ? 1 : 0));
  }

  // A program draws on a canvas of its own: the last one's pixels went to
  // that program for good.
  #start() {
    const canvas = document.createElement('canvas');
    this.shadowRoot.querySelector('canvas, p')?.replaceWith(canvas);
    this.#program = createFractalTree({
      canvas,
      startPaused: this.paused,
      instantiateWasm: (imports, receive) => {
        compile()
          .then((module) => WebAssembly.instantiate(module, imports))
          .then((instance) => receive(instance));
        return {};
      },
    });
    // Whatever changed while the program was loading.
    this.#tell();
  }
}

// A page may load the module twice, through two copies of the package: the
// element is defined once.
if (!customElements.get('fractal-tree')) customElements.define('fractal-tree', FractalTreeElement);
